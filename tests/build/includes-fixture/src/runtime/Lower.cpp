// Includes from a folder above its own.
#include "payload/Upper.h"
