#include "media/swfgl/ContourBuilder.h"

#include <deque>
#include <unordered_map>
#include <utility>

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

using Chain = std::deque<TessPoint>;

u64 KeyOf(TessPoint p) { return (u64(u32(p.x)) << 32) | u32(p.y); }

bool Closed(const Chain& chain) { return chain.size() > 1 && chain.front() == chain.back(); }

// Open chains by their end points, so that a piece finds the chain it continues at once: a
// shape of many pieces is chained in time growing with its points, not with their square.
class OpenEnds {
public:
    void Add(const Chain& chain, u32 id) {
        ends_[KeyOf(chain.front())].push_back(id);
        ends_[KeyOf(chain.back())].push_back(id);
    }
    void Remove(const Chain& chain, u32 id) {
        Erase(chain.front(), id);
        Erase(chain.back(), id);
    }
    // An open chain other than `self` with an end at the point, or none.
    bool Find(TessPoint point, u32 self, u32& found) const {
        const auto at = ends_.find(KeyOf(point));
        if (at == ends_.end()) return false;
        for (u32 id : at->second)
            if (id != self) {
                found = id;
                return true;
            }
        return false;
    }

private:
    void Erase(TessPoint point, u32 id) {
        const auto at = ends_.find(KeyOf(point));
        if (at == ends_.end()) return;
        auto& ids = at->second;
        for (size_t i = 0; i < ids.size(); ++i)
            if (ids[i] == id) {
                ids.erase(ids.begin() + long(i));
                break;
            }
        if (ids.empty()) ends_.erase(at);
    }
    std::unordered_map<u64, std::vector<u32>> ends_;
};

// Moves `from` onto the end of `into` that meets one of its ends (the shorter chain is the one
// copied, so that long outlines are not copied again and again).
void Merge(Chain& into, Chain& from) {
    if (into.size() < from.size()) std::swap(into, from);
    if (into.back() == from.front()) {
        into.insert(into.end(), from.begin() + 1, from.end());
    } else if (into.back() == from.back()) {
        into.insert(into.end(), from.rbegin() + 1, from.rend());
    } else if (into.front() == from.back()) {
        into.insert(into.begin(), from.begin(), from.end() - 1);
    } else {
        into.insert(into.begin(), from.rbegin(), from.rend() - 1);
    }
    from.clear();
}

}  // namespace

void ContourBuilder::Build(std::vector<TessPoint>& points, std::vector<u32>& ends) {
    points.clear();
    ends.clear();
    std::vector<Chain> chains;
    std::vector<bool> open;
    OpenEnds openEnds;
    auto hand = [&](const Chain& chain) {
        const size_t count = Closed(chain) ? chain.size() - 1 : chain.size();
        if (count < 3) return;
        points.insert(points.end(), chain.begin(), chain.begin() + long(count));
        ends.push_back(u32(points.size()));
    };
    for (Piece& piece : pieces_) {
        if (piece.size() < 2) continue;
        Chain chain(piece.begin(), piece.end());
        if (Closed(chain)) {
            hand(chain);
            continue;
        }
        const u32 id = u32(chains.size());
        chains.push_back(std::move(chain));
        open.push_back(false);
        for (;;) {
            Chain& grown = chains[id];
            if (Closed(grown)) {
                hand(grown);
                grown.clear();
                break;
            }
            u32 other = 0;
            if (!openEnds.Find(grown.front(), id, other) && !openEnds.Find(grown.back(), id, other)) {
                openEnds.Add(grown, id);
                open[id] = true;
                break;
            }
            openEnds.Remove(chains[other], other);
            open[other] = false;
            Merge(grown, chains[other]);
        }
    }
    // Chains that never closed are handed over as they stand; the tessellator closes them.
    for (size_t id = 0; id < chains.size(); ++id)
        if (open[id]) hand(chains[id]);
    pieces_.clear();
}

}  // namespace swf::draw
