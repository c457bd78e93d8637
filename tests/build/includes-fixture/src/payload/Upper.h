// Included from below.
#pragma once
