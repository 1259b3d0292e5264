#include "media/swfgl/ContourBuilder.h"

#include <algorithm>

namespace swf::draw {

using plat::gl::TessPoint;

void ContourBuilder::StartPiece(i32 x, i32 y) { pieces_.push_back(Piece{TessPoint{x, y}}); }

void ContourBuilder::AddPoint(i32 x, i32 y) {
    if (pieces_.empty()) pieces_.emplace_back();
    Piece& piece = pieces_.back();
    const TessPoint point{x, y};
    if (piece.empty() || piece.back() != point) piece.push_back(point);
}

namespace {

bool Closed(const std::vector<TessPoint>& chain) { return chain.size() > 1 && chain.front() == chain.back(); }

// Appends `piece` to the end of `chain` when one of its ends meets the chain's end, or puts it
// before the chain's start when one of its ends meets that; false when neither.
bool Join(std::vector<TessPoint>& chain, std::vector<TessPoint>& piece) {
    if (chain.back() == piece.front()) {
        chain.insert(chain.end(), piece.begin() + 1, piece.end());
    } else if (chain.back() == piece.back()) {
        chain.insert(chain.end(), piece.rbegin() + 1, piece.rend());
    } else if (chain.front() == piece.back()) {
        chain.insert(chain.begin(), piece.begin(), piece.end() - 1);
    } else if (chain.front() == piece.front()) {
        std::reverse(piece.begin(), piece.end());
        chain.insert(chain.begin(), piece.begin(), piece.end() - 1);
    } else {
        return false;
    }
    return true;
}

}  // namespace

void ContourBuilder::Build(std::vector<TessPoint>& points, std::vector<u32>& ends) {
    points.clear();
    ends.clear();
    std::vector<Piece> open;
    std::vector<Piece> done;
    for (Piece& piece : pieces_) {
        if (piece.size() < 2) continue;
        if (Closed(piece)) {
            done.push_back(std::move(piece));
            continue;
        }
        size_t joined = open.size();
        for (size_t i = 0; i < open.size() && joined == open.size(); ++i)
            if (Join(open[i], piece)) joined = i;
        if (joined == open.size()) {
            open.push_back(std::move(piece));
            continue;
        }
        // The grown chain may now meet another open chain, or close on itself.
        for (size_t i = 0; i < open.size();) {
            if (i != joined && Join(open[joined], open[i])) {
                open.erase(open.begin() + i);
                if (i < joined) --joined;
                i = 0;
                continue;
            }
            ++i;
        }
        if (Closed(open[joined])) {
            done.push_back(std::move(open[joined]));
            open.erase(open.begin() + joined);
        }
    }
    auto hand = [&](const Piece& chain) {
        const size_t count = Closed(chain) ? chain.size() - 1 : chain.size();
        if (count < 3) return;
        points.insert(points.end(), chain.begin(), chain.begin() + count);
        ends.push_back(u32(points.size()));
    };
    for (const Piece& chain : done) hand(chain);
    for (const Piece& chain : open) hand(chain);
    pieces_.clear();
}

}  // namespace swf::draw
