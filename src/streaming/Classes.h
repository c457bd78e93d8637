// Persistent objects: the base of everything that can be assigned from
// another object of its kind.
#pragma once

#include "runtime/SysUtils.h"

class TPersistent {
public:
  virtual ~TPersistent() = default;
  // Copies this object into dest; the base refuses with an Exception.
  virtual void AssignTo(TPersistent *dest);
  // Takes the value of source (source->AssignTo(this) unless overridden).
  virtual void Assign(TPersistent *source);
};
