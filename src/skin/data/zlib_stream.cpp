#include "skin/data/zlib_stream.h"

#include <algorithm>
#include <limits>

namespace {

const char* kInvalidStreamOperation = "Invalid stream operation";

int CompressionCheck(int result) {
  if (result < 0) throw ECompressionError("error");
  return result;
}

int DecompressionCheck(int result) {
  // A stream that asks for a preset dictionary makes no progress without
  // one; we never have one, so it is as corrupt as any other.
  if (result < 0 || result == Z_NEED_DICT) throw EDecompressionError("compression error");
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

// zlib counts in 32-bit units; larger transfers go through in pieces.
uInt ZlibPiece(size_t count) { return static_cast<uInt>(std::min<size_t>(count, std::numeric_limits<uInt>::max())); }

}  // namespace

TCustomZlibStream::TCustomZlibStream(TStream& stream) : FStrm(stream), FStrmPos(stream.Position()) {}

void TCustomZlibStream::RestorePosition() {
  if (FStrm.Position() != FStrmPos) FStrm.SetPosition(FStrmPos);
}

void TCustomZlibStream::Progress() {
  if (OnProgress) OnProgress(this);
}

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

TDecompressionStream::TDecompressionStream(TStream& source) : TCustomZlibStream(source), FStartPos(FStrmPos) {
  FZRec.next_in = FBuffer;
  FZRec.avail_in = 0;
  DecompressionCheck(inflateInit(&FZRec));
}

TDecompressionStream::~TDecompressionStream() { inflateEnd(&FZRec); }

size_t TDecompressionStream::Read(void* buffer, size_t count) {
  auto* out = static_cast<Bytef*>(buffer);
  size_t delivered = 0;
  RestorePosition();
  while (delivered < count && !FEndOfStream) {
    if (FZRec.avail_in == 0) {
      const size_t got = FStrm.Read(FBuffer, kBufferSize);
      if (got == 0) break;
      FZRec.next_in = FBuffer;
      FZRec.avail_in = static_cast<uInt>(got);
      FStrmPos = FStrm.Position();
      Progress();
    }
    const uInt room = ZlibPiece(count - delivered);
    FZRec.next_out = out + delivered;
    FZRec.avail_out = room;
    const int result = DecompressionCheck(inflate(&FZRec, Z_NO_FLUSH));
    delivered += room - FZRec.avail_out;
    // What follows the zlib stream is not ours to read.
    if (result == Z_STREAM_END) FEndOfStream = true;
  }
  FTotalOut += static_cast<int64_t>(delivered);
  return delivered;
}

size_t TDecompressionStream::Write(const void*, size_t) { throw EDecompressionError(kInvalidStreamOperation); }

int64_t TDecompressionStream::Skip(int64_t count) {
  Bytef discard[kBufferSize];
  while (count > 0) {
    const size_t piece = static_cast<size_t>(std::min<int64_t>(count, kBufferSize));
    const size_t got = Read(discard, piece);
    if (got == 0) break;
    count -= static_cast<int64_t>(got);
  }
  return FTotalOut;
}

int64_t TDecompressionStream::Seek(int64_t offset, TSeekOrigin origin) {
  if (offset == 0 && origin == soBeginning) {
    DecompressionCheck(inflateReset(&FZRec));
    FZRec.next_in = FBuffer;
    FZRec.avail_in = 0;
    // Back to where the zlib stream began, which need not be the source's start.
    FStrm.SetPosition(FStartPos);
    FStrmPos = FStartPos;
    FTotalOut = 0;
    FEndOfStream = false;
    return 0;
  }
  if (offset == 0 && origin == soCurrent) return FTotalOut;
  if (origin == soCurrent && offset > 0) return Skip(offset);
  if (origin == soBeginning && offset > FTotalOut) return Skip(offset - FTotalOut);
  throw EDecompressionError(kInvalidStreamOperation);
}

void PackStream(TStream& source, TStream& destination) {
  TCompressionStream zip(TCompressionLevel::clMax, destination);
  zip.CopyFrom(source, 0);
  zip.Finish();
}

void UnpackStream(TStream& destination, TStream& source) {
  source.SetPosition(0);
  TDecompressionStream unzip(source);
  Bytef piece[4096];
  while (const size_t got = unzip.Read(piece, sizeof piece)) destination.WriteBuffer(piece, got);
  if (!unzip.EndOfStream()) throw EDecompressionError("compression error: the compressed data is truncated");
}
