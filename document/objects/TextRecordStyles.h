#pragma once
// A page text between its stored record and the styled text that editors change and layouts
// draw. Every drawer and reader of a page's text goes through these two, so a text looks the
// same on the page, in its frame, in exports, prints and shows.
#include "document/storage/TextRecords.h"
#include "text/style/StyledText.h"

namespace Ostrel {

// The record's text (cut to what a styled text holds) over its style, with its runs and its
// justification; the selection is a caret at 0.
StyledText styledTextOf(const TextRecord& record);
// The text's default style (its unset parts taken from the current text style) and, for each
// stretch of characters its runs change alike, one run record. Styles chosen at a caret are
// not kept: they wait for typing, which has ended when the text is stored.
TextRecord textRecordOf(const StyledText& text);

}  // namespace Ostrel
