// The Windows bodies of the handle, file and resource streams.
#include <windows.h>

#include "runtime/Streams.h"

void THandleStream::SetSize(int32_t newSize) {
  Seek(newSize, soFromBeginning);
  SetEndOfFile(FHandle);
}

int32_t THandleStream::Read(void *buffer, int32_t count) {
  DWORD done = 0;
  if (count <= 0 || !ReadFile(FHandle, buffer, static_cast<DWORD>(count), &done, nullptr)) return 0;
  return static_cast<int32_t>(done);
}

int32_t THandleStream::Write(const void *buffer, int32_t count) {
  DWORD done = 0;
  if (count <= 0 || !WriteFile(FHandle, buffer, static_cast<DWORD>(count), &done, nullptr)) return 0;
  return static_cast<int32_t>(done);
}

int32_t THandleStream::Seek(int32_t offset, uint16_t origin) {
  DWORD pos = SetFilePointer(FHandle, offset, nullptr, origin);
  return pos == INVALID_SET_FILE_POINTER ? -1 : static_cast<int32_t>(pos);
}

namespace {

HANDLE OpenFileStream(const WideString &fileName, uint16_t mode) {
  if (mode == fmCreate)
    return CreateFileW(fileName.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
  static const DWORD access[3] = {GENERIC_READ, GENERIC_WRITE, GENERIC_READ | GENERIC_WRITE};
  static const DWORD sharing[5] = {0, 0, FILE_SHARE_READ, FILE_SHARE_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE};
  unsigned a = mode & 3, s = (mode & 0xF0) >> 4;
  if (a >= 3 || s >= 5) return INVALID_HANDLE_VALUE;
  return CreateFileW(fileName.c_str(), access[a], sharing[s], nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

TFileStream::TFileStream(const WideString &fileName, uint16_t mode) : THandleStream(OpenFileStream(fileName, mode)) {
  if (FHandle == INVALID_HANDLE_VALUE) throw EAbort();
}

TFileStream::~TFileStream() { CloseHandle(FHandle); }

TResourceStream::TResourceStream(void *instance, const AnsiString &name, const char *type) {
  HMODULE module = static_cast<HMODULE>(instance);
  HRSRC info = FindResourceA(module, name.c_str(), type);
  FResInfo = info;
  if (info == nullptr) return;
  HGLOBAL handle = LoadResource(module, info);
  FResHandle = handle;
  SetPointer(LockResource(handle), static_cast<int32_t>(SizeofResource(module, info)));
  if (FMemory == nullptr) FSize = 0;
}

int32_t TResourceStream::Write(const void *, int32_t) { return 0; }
