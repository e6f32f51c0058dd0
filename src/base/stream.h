#pragma once
// Byte streams: the abstract TStream and its in-memory and file-backed kinds.
// Positions and sizes are 64-bit; failures raise the stream error types.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <vector>

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream {
 public:
  virtual ~TStream() = default;

  // Transfer up to count bytes; the result is the number actually moved.
  virtual size_t Read(void* buffer, size_t count) = 0;
  virtual size_t Write(const void* buffer, size_t count) = 0;
  // The result is the new position.
  virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;

  int64_t Position() { return Seek(0, soCurrent); }
  void SetPosition(int64_t position) { Seek(position, soBeginning); }
  virtual int64_t Size();
  // Streams that cannot change their size raise EStreamError.
  virtual void SetSize(int64_t size);

  // Like Read and Write, but a short transfer raises EReadError / EWriteError.
  void ReadBuffer(void* buffer, size_t count);
  void WriteBuffer(const void* buffer, size_t count);

  // Copies count bytes from the source's current position; count 0 copies the
  // whole source from its start. Returns the number of bytes copied.
  int64_t CopyFrom(TStream& source, int64_t count);
};

class TMemoryStream : public TStream {
 public:
  TMemoryStream() = default;
  explicit TMemoryStream(std::span<const uint8_t> bytes);

  size_t Read(void* buffer, size_t count) override;
  size_t Write(const void* buffer, size_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  int64_t Size() override { return static_cast<int64_t>(FData.size()); }
  void SetSize(int64_t size) override;

  uint8_t* Memory() { return FData.data(); }
  const uint8_t* Memory() const { return FData.data(); }
  std::span<const uint8_t> Bytes() const { return FData; }
  void Clear();
  // Replaces the contents with the file's bytes and rewinds.
  void LoadFromFile(const std::string& fileName);
  void SaveToFile(const std::string& fileName) const;

 private:
  void Grow(size_t size);

  std::vector<uint8_t> FData;
  int64_t FPosition = 0;
};

enum TFileMode {
  fmOpenRead,       // existing file, read only
  fmCreate,         // new or emptied file, read and write
  fmOpenReadWrite,  // existing file, read and write
};

class TFileStream : public TStream {
 public:
  // fileName is UTF-8. Raises EFOpenError naming the file when it cannot be opened.
  TFileStream(const std::string& fileName, TFileMode mode);
  // Closes without a word: call Close to learn whether buffered data reached the file.
  ~TFileStream() override;
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;

  size_t Read(void* buffer, size_t count) override;
  size_t Write(const void* buffer, size_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  const std::string& FileName() const { return FFileName; }
  // Flushes and closes; raises EWriteError naming the file when the data did
  // not all reach it (a full disk shows only here). Later calls do nothing.
  void Close();

 private:
  enum class LastAccess { None, Read, Write };
  // C streams need a positioning call between a read and a write.
  void SwitchTo(LastAccess access);

  std::string FFileName;
  std::FILE* FFile = nullptr;
  LastAccess FLastAccess = LastAccess::None;
};
