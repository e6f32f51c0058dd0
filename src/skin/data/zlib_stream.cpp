#include "skin/data/zlib_stream.h"

#include <algorithm>

namespace {

int DecompressionCheck(int result) {
  // A stream that asks for a preset dictionary makes no progress without
  // one; we never have one, so it is as corrupt as any other.
  if (result < 0 || result == Z_NEED_DICT) throw EDecompressionError("compression error");
  return result;
}

}  // namespace

TCustomZlibStream::TCustomZlibStream(TStream& stream) : FStrm(stream), FStrmPos(stream.Position()) {}

void TCustomZlibStream::RestorePosition() {
  if (FStrm.Position() != FStrmPos) FStrm.SetPosition(FStrmPos);
}

void TCustomZlibStream::Progress() {
  if (OnProgress) OnProgress(this);
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

void UnpackStream(TStream& destination, TStream& source) {
  source.SetPosition(0);
  TDecompressionStream unzip(source);
  Bytef piece[4096];
  while (const size_t got = unzip.Read(piece, sizeof piece)) destination.WriteBuffer(piece, got);
  if (!unzip.EndOfStream()) throw EDecompressionError("compression error: the compressed data is truncated");
}
