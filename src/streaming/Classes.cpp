#include "streaming/Classes.h"

void TPersistent::AssignTo(TPersistent *) { throw Exception("Cannot assign"); }

void TPersistent::Assign(TPersistent *source) {
  if (source == nullptr) throw Exception("Cannot assign nothing");
  source->AssignTo(this);
}
