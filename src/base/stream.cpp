#include "base/stream.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>
#include <stdexcept>
#include <utility>

#include "base/exceptions.h"
#include "base/utf.h"

namespace {

const char* kInvalidPosition = "Invalid stream position";

int64_t ResolveSeek(int64_t offset, TSeekOrigin origin, int64_t current, int64_t size) {
  int64_t base = origin == soBeginning ? 0 : origin == soCurrent ? current : size;
  if ((offset > 0 && base > INT64_MAX - offset) || base + offset < 0) throw EStreamError(kInvalidPosition);
  return base + offset;
}

std::FILE* OpenFile(const std::string& fileName, const char* mode) {
#ifdef _WIN32
  // The C runtime's narrow names use the ANSI code page; go through UTF-16.
  std::u16string name = Utf8ToUtf16(fileName);
  std::wstring wideName(name.begin(), name.end());
  std::wstring wideMode(mode, mode + std::strlen(mode));
  return _wfopen(wideName.c_str(), wideMode.c_str());
#else
  return std::fopen(fileName.c_str(), mode);
#endif
}

}  // namespace

int64_t TStream::Size() {
  int64_t current = Seek(0, soCurrent);
  int64_t end = Seek(0, soEnd);
  Seek(current, soBeginning);
  return end;
}

void TStream::SetSize(int64_t) { throw EStreamError("Stream size cannot be changed"); }

void TStream::ReadBuffer(void* buffer, size_t count) {
  if (count != 0 && Read(buffer, count) != count) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, size_t count) {
  if (count != 0 && Write(buffer, count) != count) throw EWriteError("Stream write error");
}

int64_t TStream::CopyFrom(TStream& source, int64_t count) {
  if (count == 0) {
    source.SetPosition(0);
    count = source.Size();
  }
  if (count < 0) throw EStreamError("Invalid stream operation");
  std::vector<uint8_t> buffer(static_cast<size_t>(std::min<int64_t>(count, 64 * 1024)));
  for (int64_t left = count; left > 0;) {
    size_t piece = static_cast<size_t>(std::min<int64_t>(left, static_cast<int64_t>(buffer.size())));
    source.ReadBuffer(buffer.data(), piece);
    WriteBuffer(buffer.data(), piece);
    left -= static_cast<int64_t>(piece);
  }
  return count;
}

TMemoryStream::TMemoryStream(std::span<const uint8_t> bytes) : FData(bytes.begin(), bytes.end()) {}

void TMemoryStream::Grow(size_t size) {
  try {
    FData.resize(size);
  } catch (const std::bad_alloc&) {
    throw EOutOfResources("Out of memory while growing a memory stream");
  } catch (const std::length_error&) {
    throw EOutOfResources("Out of memory while growing a memory stream");
  }
}

size_t TMemoryStream::Read(void* buffer, size_t count) {
  int64_t available = Size() - FPosition;
  if (available <= 0 || count == 0) return 0;
  size_t n = static_cast<size_t>(std::min<uint64_t>(static_cast<uint64_t>(available), count));
  std::memcpy(buffer, FData.data() + FPosition, n);
  FPosition += static_cast<int64_t>(n);
  return n;
}

size_t TMemoryStream::Write(const void* buffer, size_t count) {
  if (count == 0) return 0;
  if (count > static_cast<size_t>(INT64_MAX - FPosition)) throw EOutOfResources("Out of memory while growing a memory stream");
  int64_t end = FPosition + static_cast<int64_t>(count);
  // Writing past the end fills the gap with zeros.
  if (end > Size()) Grow(static_cast<size_t>(end));
  std::memcpy(FData.data() + FPosition, buffer, count);
  FPosition = end;
  return count;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
  FPosition = ResolveSeek(offset, origin, FPosition, Size());
  return FPosition;
}

void TMemoryStream::SetSize(int64_t size) {
  if (size < 0) throw EStreamError("Invalid stream size");
  Grow(static_cast<size_t>(size));
  FPosition = std::min(FPosition, size);
}

void TMemoryStream::Clear() {
  FData.clear();
  FPosition = 0;
}

void TMemoryStream::LoadFromFile(const std::string& fileName) {
  TFileStream file(fileName, fmOpenRead);
  int64_t size = file.Size();
  std::vector<uint8_t> data;
  try {
    data.resize(static_cast<size_t>(size));
  } catch (const std::bad_alloc&) {
    throw EOutOfResources("Out of memory reading \"" + fileName + "\"");
  }
  file.ReadBuffer(data.data(), data.size());
  FData = std::move(data);
  FPosition = 0;
}

void TMemoryStream::SaveToFile(const std::string& fileName) const {
  TFileStream file(fileName, fmCreate);
  file.WriteBuffer(FData.data(), FData.size());
  file.Close();
}

TFileStream::TFileStream(const std::string& fileName, TFileMode mode) : FFileName(fileName) {
  const char* cMode = mode == fmOpenRead ? "rb" : mode == fmCreate ? "w+b" : "r+b";
  FFile = OpenFile(fileName, cMode);
  if (!FFile) {
    const char* verb = mode == fmCreate ? "Cannot create file \"" : "Cannot open file \"";
    throw EFOpenError(verb + fileName + "\". " + std::strerror(errno));
  }
}

TFileStream::~TFileStream() {
  if (FFile) std::fclose(FFile);
}

void TFileStream::Close() {
  if (!FFile) return;
  std::FILE* file = std::exchange(FFile, nullptr);
  errno = 0;
  bool flushed = std::fflush(file) == 0;
  int flushError = errno;
  bool closed = std::fclose(file) == 0;
  if (!flushed || !closed)
    throw EWriteError("Cannot write file \"" + FFileName + "\". " + std::strerror(flushed ? errno : flushError));
}

void TFileStream::SwitchTo(LastAccess access) {
  if (FLastAccess != LastAccess::None && FLastAccess != access) Seek(0, soCurrent);
  FLastAccess = access;
}

size_t TFileStream::Read(void* buffer, size_t count) {
  if (!FFile) return 0;
  SwitchTo(LastAccess::Read);
  return std::fread(buffer, 1, count, FFile);
}

size_t TFileStream::Write(const void* buffer, size_t count) {
  if (!FFile) return 0;
  SwitchTo(LastAccess::Write);
  return std::fwrite(buffer, 1, count, FFile);
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin) {
  if (!FFile) throw EStreamError(kInvalidPosition);
  int whence = origin == soBeginning ? SEEK_SET : origin == soCurrent ? SEEK_CUR : SEEK_END;
#ifdef _WIN32
  bool ok = _fseeki64(FFile, offset, whence) == 0;
  int64_t position = ok ? _ftelli64(FFile) : -1;
#else
  bool ok = fseeko(FFile, static_cast<off_t>(offset), whence) == 0;
  int64_t position = ok ? static_cast<int64_t>(ftello(FFile)) : -1;
#endif
  if (position < 0) throw EStreamError(kInvalidPosition);
  // A positioning call clears the read/write direction requirement.
  FLastAccess = LastAccess::None;
  return position;
}
