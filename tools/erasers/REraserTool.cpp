#include "tools/erasers/REraserTool.h"

const std::vector<DabSpan>& REraserTool::Spans() const {
    if (!square_) return RoundSpans();
    if (squareSize_ != GetSize()) {
        squareSpans_ = squareDabSpans(GetSize());
        squareSize_ = GetSize();
    }
    return squareSpans_;
}
