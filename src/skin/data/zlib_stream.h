#pragma once
// Streams over zlib: a write-only stream that deflates into another stream,
// a read-only one that inflates from another, and whole-stream helpers. The
// deflating half is defined in zlib_compression.cpp.
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <limits>

#include "base/exceptions.h"
#include "persist/object.h"
#include "base/stream.h"

class EZlibError : public Exception { using Exception::Exception; };
class ECompressionError : public EZlibError { using EZlibError::EZlibError; };
class EDecompressionError : public EZlibError { using EZlibError::EZlibError; };

// zlib levels 0, 1, -1 (zlib's default) and 9. Scoped, as clNone is a colour.
enum class TCompressionLevel { clNone, clFastest, clDefault, clMax };

class TCustomZlibStream : public TStream, public TObject {
 public:
  TCustomZlibStream(const TCustomZlibStream&) = delete;
  TCustomZlibStream& operator=(const TCustomZlibStream&) = delete;

  // Called each time a work buffer's worth moves to or from the other stream.
  TNotifyEvent OnProgress;

 protected:
  static constexpr size_t kBufferSize = 4096;
  static constexpr const char* kInvalidStreamOperation = "Invalid stream operation";

  // zlib counts in 32-bit units; larger transfers go through in pieces.
  static uInt ZlibPiece(size_t count) {
    return static_cast<uInt>(std::min<size_t>(count, std::numeric_limits<uInt>::max()));
  }

  explicit TCustomZlibStream(TStream& stream);
  // Other users of the stream may have moved it since this layer last did.
  void RestorePosition();
  void Progress();

  TStream& FStrm;
  int64_t FStrmPos;
  z_stream FZRec{};
  Bytef FBuffer[kBufferSize];
};

class TCompressionStream : public TCustomZlibStream {
 public:
  TCompressionStream(TCompressionLevel level, TStream& destination);
  ~TCompressionStream() override;

  size_t Write(const void* buffer, size_t count) override;
  size_t Read(void* buffer, size_t count) override;
  // Only the current position (offset 0 from the current position) can be
  // asked: the count of bytes taken in so far.
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;

  // Deflates what is left and writes the end of the zlib stream. Call it
  // before destruction: a stream destroyed unfinished is abandoned, as after
  // an error, so that a failed write is never swallowed in a destructor.
  void Finish();

 private:
  void WriteBufferOut(size_t count);

  int64_t FTotalIn = 0;
  bool FFinished = false;
};

class TDecompressionStream : public TCustomZlibStream {
 public:
  // The zlib stream starts at the source's current position.
  explicit TDecompressionStream(TStream& source);
  ~TDecompressionStream() override;

  // Delivers fewer bytes than asked only at the end of the zlib stream or
  // when the source runs out before it (see EndOfStream). Bytes after the
  // end of the zlib stream are never read.
  size_t Read(void* buffer, size_t count) override;
  size_t Write(const void* buffer, size_t count) override;
  // Offset 0 from the beginning starts again; offset 0 from the current
  // position gives the bytes delivered so far; a later point is reached by
  // decompressing up to it. Anything else is refused.
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;

  // True once inflate has met the end of the zlib stream.
  bool EndOfStream() const { return FEndOfStream; }

 private:
  int64_t Skip(int64_t count);

  int64_t FStartPos;
  int64_t FTotalOut = 0;
  bool FEndOfStream = false;
};

// Appends one complete zlib stream (maximum compression) of the whole source
// to the destination.
void PackStream(TStream& source, TStream& destination);
// Inflates the whole source, from its start, into the destination. A source
// that ends before its zlib stream does raises EDecompressionError.
void UnpackStream(TStream& destination, TStream& source);
