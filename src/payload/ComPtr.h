// A reference to a COM interface that is released when the holder goes, so
// that no early return or exception leaks it.
#pragma once

template <class T>
class TComPtr {
public:
  TComPtr() = default;
  ~TComPtr() { Reset(); }
  TComPtr(const TComPtr &) = delete;
  TComPtr &operator=(const TComPtr &) = delete;

  T *operator->() const { return FPtr; }
  T *Get() const { return FPtr; }
  explicit operator bool() const { return FPtr != nullptr; }

  // Where a call that hands out a new reference stores it; releases the
  // held one first.
  T **Put() {
    Reset();
    return &FPtr;
  }
  void **PutVoid() { return reinterpret_cast<void **>(Put()); }

  void Reset() {
    if (FPtr == nullptr) return;
    FPtr->Release();
    FPtr = nullptr;
  }

private:
  T *FPtr = nullptr;
};
