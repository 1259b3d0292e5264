#pragma once
// Readers and writers of the primitive bit-packed records. A record starts wherever the
// stream's bit position stands; callers align where the format asks for it. Writers pick the
// canonical form: the smallest field widths, and flags cleared for identity parts.
#include "media/swf/Stream.h"

namespace swf {

Result ReadRect(stream& in, Rect& rect);
Result WriteRect(stream& out, const Rect& rect);
Result ReadMatrix(stream& in, Matrix& matrix);
Result WriteMatrix(stream& out, const Matrix& matrix);
Result ReadCxform(stream& in, Cxform& cxform, bool withAlpha);
Result WriteCxform(stream& out, const Cxform& cxform, bool withAlpha);
void ApplyCxform(Rgba& colour, const Cxform& cxform);

// The forms the records take inside parsed blocks (little-endian, unaligned).
Result PutMatrix(stream& block, const Matrix& matrix);
Matrix GetMatrix(const u8* data);
Result PutCxform(stream& block, const Cxform& cxform);
Cxform GetCxform(const u8* data);
void SetCxform(u8* data, const Cxform& cxform);
Result PutRect(stream& block, const Rect& rect);
Rect GetRect(const u8* data);
Result PutRgba(stream& block, const Rgba& colour);
Rgba GetRgba(const u8* data);

}  // namespace swf
