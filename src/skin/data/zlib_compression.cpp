// The compressing half of the zlib streams, apart from the inflating one so
// that a program which only reads compressed data never links deflate.
#include <zlib.h>

#include "skin/data/zlib_stream.h"

namespace {

int CompressionCheck(int result) {
  if (result < 0) throw ECompressionError("error");
  return result;
}

int ZlibLevel(TCompressionLevel level) {
  switch (level) {
    case TCompressionLevel::clNone: return Z_NO_COMPRESSION;
    case TCompressionLevel::clFastest: return Z_BEST_SPEED;
    case TCompressionLevel::clDefault: return Z_DEFAULT_COMPRESSION;
    case TCompressionLevel::clMax: return Z_BEST_COMPRESSION;
  }
  return Z_DEFAULT_COMPRESSION;
}

}  // namespace

TCompressionStream::TCompressionStream(TCompressionLevel level, TStream& destination)
    : TCustomZlibStream(destination) {
  FZRec.next_out = FBuffer;
  FZRec.avail_out = kBufferSize;
  CompressionCheck(deflateInit(&FZRec, ZlibLevel(level)));
}

TCompressionStream::~TCompressionStream() { deflateEnd(&FZRec); }

void TCompressionStream::WriteBufferOut(size_t count) {
  FStrm.WriteBuffer(FBuffer, count);
  FZRec.next_out = FBuffer;
  FZRec.avail_out = kBufferSize;
  FStrmPos = FStrm.Position();
}

size_t TCompressionStream::Write(const void* buffer, size_t count) {
  RestorePosition();
  const auto* bytes = static_cast<const Bytef*>(buffer);
  for (size_t done = 0; done < count;) {
    const uInt piece = ZlibPiece(count - done);
    FZRec.next_in = const_cast<Bytef*>(bytes + done);
    FZRec.avail_in = piece;
    while (FZRec.avail_in > 0) {
      CompressionCheck(deflate(&FZRec, Z_NO_FLUSH));
      if (FZRec.avail_out == 0) {
        WriteBufferOut(kBufferSize);
        Progress();
      }
    }
    done += piece;
    FTotalIn += piece;
  }
  return count;
}

void TCompressionStream::Finish() {
  if (FFinished) return;
  FFinished = true;
  FZRec.next_in = nullptr;
  FZRec.avail_in = 0;
  RestorePosition();
  while (CompressionCheck(deflate(&FZRec, Z_FINISH)) != Z_STREAM_END && FZRec.avail_out == 0)
    WriteBufferOut(kBufferSize);
  if (FZRec.avail_out < kBufferSize) WriteBufferOut(kBufferSize - FZRec.avail_out);
}

size_t TCompressionStream::Read(void*, size_t) { throw ECompressionError(kInvalidStreamOperation); }

int64_t TCompressionStream::Seek(int64_t offset, TSeekOrigin origin) {
  if (offset == 0 && origin == soCurrent) return FTotalIn;
  throw ECompressionError(kInvalidStreamOperation);
}

void PackStream(TStream& source, TStream& destination) {
  TCompressionStream zip(TCompressionLevel::clMax, destination);
  zip.CopyFrom(source, 0);
  zip.Finish();
}
