// Byte streams: the base class with its buffer helpers, memory streams, and
// the handle, file and resource streams (their bodies are Windows-only). No
// platform headers here, so the portable parts build on the host too.
#pragma once

#include <cstdint>

#include "runtime/SysUtils.h"

// Seek origins.
constexpr uint16_t soFromBeginning = 0;
constexpr uint16_t soFromCurrent = 1;
constexpr uint16_t soFromEnd = 2;

class TStream {
public:
  virtual ~TStream() = default;
  virtual void SetSize(int32_t newSize);
  // Return the count transferred; never raise.
  virtual int32_t Read(void *buffer, int32_t count) = 0;
  virtual int32_t Write(const void *buffer, int32_t count) = 0;
  virtual int32_t Seek(int32_t offset, uint16_t origin) = 0;

  int32_t Position() { return Seek(0, soFromCurrent); }
  void SetPosition(int32_t pos) { Seek(pos, soFromBeginning); }
  int32_t Size();
  // Raise EAbort when fewer than count bytes move.
  void ReadBuffer(void *buffer, int32_t count);
  void WriteBuffer(const void *buffer, int32_t count);
  // Count 0 copies the whole source from its beginning. Goes through one
  // buffer of at most 61,440 bytes; a short read raises EAbort.
  int32_t CopyFrom(TStream &source, int32_t count);
};

// Reads and writes a file handle it does not own.
class THandleStream : public TStream {
public:
  explicit THandleStream(void *handle) : FHandle(handle) {}
  void SetSize(int32_t newSize) override;
  int32_t Read(void *buffer, int32_t count) override;
  int32_t Write(const void *buffer, int32_t count) override;
  // Returns the new position, or -1 when the system refuses.
  int32_t Seek(int32_t offset, uint16_t origin) override;
  void *Handle() const { return FHandle; }

protected:
  void *FHandle;
};

// Open modes of TFileStream.
constexpr uint16_t fmCreate = 0xFFFF;
constexpr uint16_t fmOpenRead = 0x0000;
constexpr uint16_t fmOpenWrite = 0x0001;
constexpr uint16_t fmOpenReadWrite = 0x0002;
constexpr uint16_t fmShareExclusive = 0x0010;
constexpr uint16_t fmShareDenyWrite = 0x0020;
constexpr uint16_t fmShareDenyRead = 0x0030;
constexpr uint16_t fmShareDenyNone = 0x0040;

// A file opened by its wide name; raises EAbort when it cannot be opened.
// fmCreate creates or truncates with read and write access and no sharing;
// other modes open an existing file.
class TFileStream : public THandleStream {
public:
  TFileStream(const WideString &fileName, uint16_t mode);
  ~TFileStream() override;
  TFileStream(const TFileStream &) = delete;
  TFileStream &operator=(const TFileStream &) = delete;
};

// Reads a block of memory. Position may lie outside 0..Size.
class TCustomMemoryStream : public TStream {
public:
  int32_t Read(void *buffer, int32_t count) override;
  int32_t Seek(int32_t offset, uint16_t origin) override;
  void *Memory() const { return FMemory; }

protected:
  void SetPointer(void *memory, int32_t size) {
    FMemory = memory;
    FSize = size;
  }
  void *FMemory = nullptr;
  int32_t FSize = 0;
  int32_t FPosition = 0;
};

// A growable heap block; capacity grows in steps of 8,192 bytes.
class TMemoryStream : public TCustomMemoryStream {
public:
  TMemoryStream() = default;
  ~TMemoryStream() override;
  TMemoryStream(const TMemoryStream &) = delete;
  TMemoryStream &operator=(const TMemoryStream &) = delete;
  void SetSize(int32_t newSize) override;
  int32_t Write(const void *buffer, int32_t count) override;
  int32_t Capacity() const { return FCapacity; }

protected:
  // Returns the block for the wanted capacity (rounded up to 8,192); raises
  // Exception when memory runs out.
  virtual void *Realloc(int32_t &newCapacity);

private:
  void SetCapacity(int32_t newCapacity);
  int32_t FCapacity = 0;
};

// A module resource read in place: nothing is copied. A resource that is not
// there reads as an empty stream. Writing does nothing.
class TResourceStream : public TCustomMemoryStream {
public:
  // type is a byte-string name or a numeric identifier made with
  // MAKEINTRESOURCEA.
  TResourceStream(void *instance, const AnsiString &name, const char *type);
  int32_t Write(const void *buffer, int32_t count) override;

private:
  void *FResInfo = nullptr;
  void *FResHandle = nullptr;
};
