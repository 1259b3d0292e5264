#pragma once
// The parsed glyph outlines of a font: u16 glyph count, count u32 offsets of the glyphs from
// the block start; each glyph is one byte (fill bits x 16 + line bits) followed by shape
// records ended by an end record. In the file a font's glyphs follow an offset table whose
// entries count from the table's start.
#include "media/swf/Block.h"

namespace swf {

// Reads count glyphs whose offset table starts at tableStart; entries are u32 when wide.
Result ReadGlyphs(stream& in, u32 tableStart, u16 count, bool wideOffsets, Block& glyphs);
u16 GlyphCount(const Block& glyphs);
// Writes the offset table with room for extraEntries more entries after the glyph entries,
// then the glyphs; tableStart receives the table's position for patching those entries.
Result WriteGlyphs(stream& out, const Block& glyphs, bool wideOffsets, u16 extraEntries, u32& tableStart);
// Reads an offset-table entry: u32 when wide, else u16.
Result ReadTableEntry(stream& in, bool wideOffsets, u32& offset);
// Patches entry index of an offset table with the distance from the table to the position.
Result PatchTableEntry(stream& out, u32 tableStart, u32 index, bool wideOffsets);

}  // namespace swf
