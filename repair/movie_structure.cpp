// SPDX-License-Identifier: GPL-2.0-or-later
// The structure walk: each RIFF and LIST within its parent, chunk headers only.
#include "repair/movie_structure.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

#include "avi/block_reader.h"
#include "avi/chunk_ids.h"
#include "avi/field_reader.h"
#include "platform/little_endian.h"
#include "platform/path_text.h"

namespace brelvo::repair {
namespace {

using namespace avi::spelled;

// Chunk headers lie anywhere in a movie; a small block serves a run of small chunks in one
// read without reading much of a large frame's data.
constexpr std::size_t kHeaderBlock = 4096;
constexpr int kMaxDepth = 8;
// How far the walk looks for the next chunk after bytes that belong to none.
constexpr std::int64_t kMaxResync = 1 << 20;
constexpr std::int64_t kMaxPerCode = 256;
constexpr std::size_t kMaxHeaderChunks = 1024;
constexpr std::int64_t kMaxSize = 0xFFFFFFFF;
constexpr std::uint32_t kUnknownSize = 0xFFFFFFFF;

enum class Level { RiffBody, HeaderList, Odml, Movi, Other };

struct Header {
    std::string id;
    std::uint32_t size = 0;
    std::string type;  // the four bytes after the size (a list's type), when in the file
    bool IsList() const { return id == kRiff || id == kList; }
};

struct Context {
    Level level = Level::RiffBody;
    int part = 0;
    std::string path;  // field name prefix of the enclosing list, e.g. "riff[0].hdrl"
    int depth = 0;
    int streamList = -1;          // within the header list: which LIST strl, in file order
    bool streamListBody = false;  // directly inside that LIST strl
};

bool Printable(std::byte b) {
    const auto c = static_cast<unsigned char>(b);
    return c >= 0x20 && c <= 0x7E;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string ListName(std::string_view type) {
    std::string name(type);
    while (!name.empty() && name.back() == ' ') name.pop_back();
    return name;
}

// Walk problems met many times in a damaged movie are one finding each, with their count.
struct ProblemCount {
    std::int64_t first = -1;
    std::int64_t places = 0;
    std::int64_t bytes = 0;
};

class Walker {
  public:
    explicit Walker(platform::RandomAccessFile& file)
        : file_(file), reader_(file, kHeaderBlock), length_(reader_.Length()) {
        s_.fileLength = length_;
    }

    MovieStructure Run() {
        WalkTop();
        if (s_.moviLists.empty()) {
            s_.findings.push_back(
                {Code::NoMoviList, 0, {}, "no LIST movi in any RIFF part", false});
        }
        s_.streamLists = streamListsSeen_;
        ReportOverflow();
        ReportCount(Code::WalkGarbage, garbage_, "belong to no chunk");
        ReportCount(Code::PadByteMissing, missingPads_, "are odd-sized chunks without a pad byte");
        std::stable_sort(s_.findings.begin(), s_.findings.end(),
                         [](const Finding& a, const Finding& b) { return a.at < b.at; });
        return std::move(s_);
    }

  private:
    std::optional<Header> HeaderAt(std::int64_t pos) {
        const auto view = reader_.View(pos, 12);
        if (view.size() < 8) return std::nullopt;
        Header h;
        h.id = platform::ReadFourCC(view, 0);
        h.size = platform::ReadU32(view, 4);
        if (view.size() >= 12) h.type = platform::ReadFourCC(view, 8);
        return h;
    }

    static bool Plausible(const Header& h, Level level) {
        if (level == Level::Movi) {
            const auto id = std::as_bytes(std::span(h.id));
            return IsStreamChunkId(id) || h.id == kJunk || h.id == kList ||
                   (h.id[0] == 'i' && h.id[1] == 'x' && IsDigit(h.id[2]) && IsDigit(h.id[3]));
        }
        return std::all_of(h.id.begin(), h.id.end(),
                           [](char c) { return Printable(static_cast<std::byte>(c)); });
    }

    // An id that cannot stand at this level: the enclosing list must have ended before it.
    static bool Foreign(const Header& h, Level level) {
        if (h.id == kRiff) return true;
        if (level == Level::RiffBody) return false;
        return h.id == kIdx1 || (h.id == kList && h.type == kMovi);
    }

    void WalkTop() {
        std::int64_t pos = 0;
        std::int64_t lastRiff = -1;
        int part = 0;
        while (pos < length_) {
            const auto h = HeaderAt(pos);
            if (!h || h->id != kRiff) break;
            lastRiff = pos;
            lastMovi_ = -1;
            pos = List(pos, *h, length_, Context{Level::RiffBody, part, "", 0});
            ++part;
        }
        if (lastRiff >= 0 && pos < length_) TrailingBytes(lastRiff, pos, part - 1);
    }

    // Bytes after the last RIFF part. When they are whole chunks (an index written outside
    // the RIFF list, say), raising the RIFF size takes them in.
    void TrailingBytes(std::int64_t riff, std::int64_t from, int part) {
        const auto h = HeaderAt(from);
        bool whole = false;
        if (h && Plausible(*h, Level::RiffBody)) {
            lastMovi_ = -1;  // stream chunks out here belong to no movi list
            const auto before = problems_;
            const auto stop =
                Children(from, length_,
                         Context{Level::RiffBody, part, "riff[" + std::to_string(part) + "]", 1});
            whole = stop == length_ && problems_ == before;
        }
        auto field = SizeValue(riff + 4, "riff[" + std::to_string(part) + "]");
        const std::int64_t should = length_ - riff - 8;
        if (whole && lastRiffWhole_ && should <= kMaxSize) field.should = should;
        s_.findings.push_back(
            {Code::RiffSizeShort,
             riff + 4,
             {field},
             std::to_string(length_ - from) + " bytes after the RIFF list (from offset " +
                 std::to_string(from) + ")" + (whole ? " are whole chunks" : " belong to no chunk"),
             field.should.has_value()});
    }

    // Walks a RIFF or LIST whose parent's contents end at parentEnd; returns where the parent
    // goes on.
    std::int64_t List(std::int64_t pos, const Header& h, std::int64_t parentEnd, Context ctx) {
        const std::int64_t declaredEnd = pos + 8 + h.size;
        const std::int64_t end = std::min(declaredEnd, parentEnd);
        Context inner{ChildLevel(h, ctx.level), ctx.part, {}, ctx.depth + 1, ctx.streamList};
        if (ctx.level == Level::HeaderList && ctx.part == 0 && h.type == kStrl) {
            inner.streamList = streamListsSeen_++;
            inner.streamListBody = true;
        }
        inner.path = ChildPath(h, ctx, inner.streamList);
        std::size_t movi = s_.moviLists.size();
        if (inner.level == Level::Movi && ctx.level != Level::Movi) {
            s_.moviLists.push_back(MoviList{ctx.part, pos + 8, end});
            lastMovi_ = pos;
        }
        const auto problemsBefore = problems_;
        const auto lostPlacesBefore = garbage_.places + missingPads_.places;
        const std::int64_t stop = h.size >= 4 ? Children(pos + 12, end, inner) : end;
        if (movi < s_.moviLists.size()) s_.moviLists[movi].end = stop;
        // A list is only lengthened over what follows it when everything in it walked whole to
        // its declared end: nothing inside may read otherwise once it is longer.
        const bool whole = problems_ == problemsBefore && stop == end && declaredEnd <= parentEnd;
        if (movi < s_.moviLists.size()) lastMoviWhole_ = whole;
        if (h.id == kRiff) lastRiffWhole_ = whole;
        if (inner.level == Level::HeaderList && ctx.part == 0) {
            s_.headerListWhole = garbage_.places + missingPads_.places == lostPlacesBefore;
        }
        if (declaredEnd <= parentEnd && stop == end) return declaredEnd + (h.size & 1);

        const Code code = h.id == kRiff ? Code::RiffSizePastEnd : Code::ListSizePastEnd;
        if (!Room(code)) return stop;
        auto field = SizeValue(pos + 4, inner.path);
        // Before the end of the file a list must end where its pad byte leads to the next
        // chunk; an odd size would send the walk one byte past it.
        // Ended early by a chunk that cannot stand inside it, the list is shortened to end
        // there only when nothing inside had to be skipped: where the walk found its way again
        // after bytes in no chunk depends on where the list ends.
        const std::int64_t should = stop - pos - 8;
        const bool lostPlaces = garbage_.places + missingPads_.places != lostPlacesBefore;
        if (should >= 4 && should <= kMaxSize && (stop == length_ || should % 2 == 0) &&
            !(stop < end && lostPlaces)) {
            field.should = should;
        }
        std::string detail;
        if (stop < end) {
            detail = "a chunk that cannot stand inside it begins at offset " + std::to_string(stop);
        } else if (h.size == kUnknownSize) {
            detail =
                "its size is 0xFFFFFFFF, unknown, as a writer streaming to a pipe leaves it; "
                "it runs to offset " +
                std::to_string(stop);
        } else {
            detail = std::string(parentEnd == length_ ? "the file" : "its parent list") + " ends " +
                     std::to_string(declaredEnd - parentEnd) + " bytes before the " +
                     (h.id == kRiff ? "RIFF" : "list") + " does";
        }
        s_.findings.push_back(
            {code, pos + 4, {field}, std::move(detail), field.should.has_value()});
        return stop;
    }

    static Level ChildLevel(const Header& h, Level level) {
        if (h.id == kRiff) return Level::RiffBody;
        if (h.type == kMovi || (level == Level::Movi && h.type == kRec)) return Level::Movi;
        if (level == Level::RiffBody && h.type == kHdrl) return Level::HeaderList;
        if (level == Level::HeaderList && h.type == kOdml) return Level::Odml;
        return Level::Other;
    }

    static std::string ChildPath(const Header& h, const Context& ctx, int streamList) {
        if (h.id == kRiff) return "riff[" + std::to_string(ctx.part) + "]";
        std::string name = ListName(h.type);
        if (streamList != ctx.streamList) name += "[" + std::to_string(streamList) + "]";
        return ctx.path + "." + name;
    }

    // Walks the chunks in [from, end); returns where they end: `end`, or the offset of a chunk
    // that cannot stand at this level.
    std::int64_t Children(std::int64_t from, std::int64_t end, const Context& ctx) {
        std::int64_t pos = from;
        std::int64_t oddEnd = -1;  // where the data of the last odd-sized chunk ended
        while (pos < end) {
            if (end - pos < 8) {
                Garbage(pos, end - pos, ctx.level);
                return end;
            }
            const Header h = *HeaderAt(pos);
            // After an odd-sized chunk a chunk that fits where the pad byte should be, when
            // none fits after it, tells of a writer that left the pad byte out.
            if (oddEnd >= 0 && pos == oddEnd + 1 && !Fits(h, pos, end, ctx.level)) {
                const auto unpadded = HeaderAt(oddEnd);
                if (unpadded && Fits(*unpadded, oddEnd, end, ctx.level)) {
                    Count(missingPads_, oddEnd, 1);
                    pos = oddEnd;
                    oddEnd = -1;
                    continue;
                }
            }
            if (Foreign(h, ctx.level)) return pos;
            if (!Plausible(h, ctx.level)) {
                const std::int64_t next = Resync(pos + 1, end, ctx.level);
                Garbage(pos, next - pos, ctx.level);
                pos = next;
                oddEnd = -1;
                continue;
            }
            if (ctx.level == Level::RiffBody && lastMovi_ >= 0 &&
                IsStreamChunkId(std::as_bytes(std::span(h.id)))) {
                pos = MoviTail(pos, end, ctx);
                continue;
            }
            // Only stream chunks right behind the movi list can belong to it.
            if (ctx.level == Level::RiffBody) lastMovi_ = -1;
            const std::int64_t declaredEnd = pos + 8 + h.size;
            if (h.IsList() && ctx.depth < kMaxDepth) {
                // A list that ended early leaves the walk at the chunk that ended it.
                pos = List(pos, h, end, ctx);
            } else {
                Leaf(pos, h, end, ctx);
                if (declaredEnd > end) return end;
                pos = declaredEnd + (h.size & 1);
            }
            oddEnd = pos == declaredEnd + 1 ? declaredEnd : -1;
        }
        return end;
    }

    // Stream chunks after the movi list, before anything else: the movi list's size falls
    // short of them.
    std::int64_t MoviTail(std::int64_t from, std::int64_t end, const Context& ctx) {
        const std::int64_t movi = lastMovi_;
        const bool moviWhole = lastMoviWhole_;
        lastMovi_ = -1;
        ++problems_;
        const std::int64_t stop =
            Children(from, end, Context{Level::Movi, ctx.part, "", ctx.depth + 1});
        for (auto& m : s_.moviLists) {
            if (m.typeOffset == movi + 8) m.end = stop;
        }
        auto field = SizeValue(movi + 4, ctx.path + ".movi");
        const std::int64_t should = stop - movi - 8;
        if (moviWhole && should <= kMaxSize && (stop == length_ || should % 2 == 0)) {
            field.should = should;
        }
        s_.findings.push_back({Code::MoviSizeShort,
                               movi + 4,
                               {field},
                               "stream chunks follow it up to offset " + std::to_string(stop),
                               field.should.has_value()});
        return stop;
    }

    void Leaf(std::int64_t pos, const Header& h, std::int64_t end, const Context& ctx) {
        const std::int64_t dataEnd = pos + 8 + h.size;
        const bool whole = dataEnd <= end;
        const auto id = std::as_bytes(std::span(h.id));
        if (ctx.level == Level::Movi && IsStreamChunkId(id)) {
            if (whole && h.id.substr(2) != "pc") AddChunk(ctx, h);
        } else if (ctx.level == Level::RiffBody && h.id == kIdx1 && ctx.part == 0) {
            const std::int64_t held = std::min(dataEnd, end) - pos - 8;
            s_.idx1 = IndexChunk{pos + 8, held / 16};
            if (!whole) {
                ++problems_;
                auto field = SizeValue(pos + 4, "idx1");
                field.should = held;
                s_.findings.push_back({Code::IndexSizePastEnd,
                                       pos + 4,
                                       {field},
                                       "the index's list ends " + std::to_string(dataEnd - end) +
                                           " bytes before it does; " + std::to_string(held / 16) +
                                           " whole entries are there",
                                       true});
                return;
            }
        } else if (ctx.level == Level::Odml && h.id == kDmlh && h.size >= 4 &&
                   pos + 12 <= length_) {
            avi::FieldBlock block(file_, pos + 8, 4, "dmlh", s_.fields, "the OpenDML header");
            FieldValue v;
            v.holds = static_cast<std::uint32_t>(block.Int32("dwTotalFrames", 0, &v.field));
            s_.odmlTotalFrames = v;
        } else if (h.id == kIndx) {
            s_.superIndex = true;
        }
        // The main header is the first avih of the header list, a stream's headers the first
        // strh and strf of its stream list; others met further in are not taken for them.
        const bool mainHeader = ctx.part == 0 && ctx.level == Level::HeaderList && h.id == kAvih;
        const bool streamHeader = ctx.streamListBody && (h.id == kStrh || h.id == kStrf);
        const int stream = mainHeader ? -1 : ctx.streamList;
        if ((mainHeader || streamHeader) && s_.headerChunks.size() < kMaxHeaderChunks &&
            std::none_of(s_.headerChunks.begin(), s_.headerChunks.end(), [&](const HeaderChunk& c) {
                return c.id == h.id && c.streamList == stream;
            })) {
            s_.headerChunks.push_back({h.id, pos + 8, std::min(dataEnd, end) - pos - 8, stream});
        }
        if (!whole && Room(Code::ChunkCutShort)) {
            s_.findings.push_back({Code::ChunkCutShort,
                                   pos,
                                   {},
                                   "the '" + Printed(h.id) + "' chunk's " + std::to_string(h.size) +
                                       " bytes of data run " + std::to_string(dataEnd - end) +
                                       " bytes past the end of " +
                                       (end == length_ ? "the file" : "its list"),
                                   false});
        }
    }

    void AddChunk(const Context& ctx, const Header& h) {
        const int stream = (h.id[0] - '0') * 10 + (h.id[1] - '0');
        auto& t = s_.streams[stream];
        ++t.chunks;
        if (ctx.part == 0) ++t.firstPartChunks;
        t.bytes += h.size;
        t.largest = std::max(t.largest, h.size);
        s_.largestChunk = std::max(s_.largestChunk, h.size);
    }

    // A chunk that could stand at pos: a plausible id, its data within the list.
    static bool Fits(const Header& h, std::int64_t pos, std::int64_t end, Level level) {
        return Plausible(h, level) && (pos + 8 + h.size <= end || Foreign(h, level));
    }

    // Any four letters can pass for an id inside other bytes; after bytes that belong to no
    // chunk, only an id the program knows is taken for the next chunk.
    static bool Known(const Header& h, Level level) {
        if (level == Level::Movi) return true;  // stream chunk ids are narrow already
        const std::string upper = platform::AsciiUpper(h.id);
        return std::find(avi::kRecognisedIds.begin(), avi::kRecognisedIds.end(), upper) !=
                   avi::kRecognisedIds.end() ||
               upper == avi::kIdDmlh || upper == avi::kIdIndx || upper == avi::kIdStrn ||
               upper == avi::kIdVprp;
    }

    // The next offset in (from, end) where a known chunk that fits could begin, or end.
    std::int64_t Resync(std::int64_t from, std::int64_t end, Level level) {
        const std::int64_t limit = std::min(end - 8, from + kMaxResync);
        for (std::int64_t p = from; p <= limit; ++p) {
            const auto h = HeaderAt(p);
            if (h && Known(*h, level) && Fits(*h, p, end, level)) return p;
        }
        return end;
    }

    void Garbage(std::int64_t pos, std::int64_t bytes, Level level) {
        Count(garbage_, pos, bytes);
        if (level == Level::Movi) s_.moviWalkedWhole = false;
    }

    void Count(ProblemCount& t, std::int64_t pos, std::int64_t bytes) {
        ++problems_;
        if (t.first < 0) t.first = pos;
        ++t.places;
        t.bytes += bytes;
    }

    void ReportCount(Code code, const ProblemCount& t, std::string_view what) {
        if (t.places == 0) return;
        s_.findings.push_back({code,
                               t.first,
                               {},
                               std::to_string(t.bytes) + " bytes in " + std::to_string(t.places) +
                                   " places " + std::string(what) + "; the first at offset " +
                                   std::to_string(t.first),
                               false});
    }

    // A damaged movie can hold a fault in every list; beyond a limit of a kind they are
    // counted, so the findings stay bounded.
    bool Room(Code code) {
        ++problems_;
        return perCode_[code]++ < kMaxPerCode;
    }

    // Past the limit none of the kind is mended: mending some would leave the rest to a
    // second repair, and the files that hold so many are beyond mending field by field.
    void ReportOverflow() {
        for (const auto& entry : perCode_) {
            if (entry.second <= kMaxPerCode) continue;
            for (auto& f : s_.findings) {
                if (f.code == entry.first) f.mendable = false;
            }
            const auto last = std::find_if(s_.findings.rbegin(), s_.findings.rend(),
                                           [&](const Finding& f) { return f.code == entry.first; });
            last->detail += " (and " + std::to_string(entry.second - kMaxPerCode) +
                            " more like it: too many to mend one by one)";
        }
    }

    // The size field of the list or chunk whose size field is at `offset`, read and recorded.
    FieldValue SizeValue(std::int64_t offset, const std::string& path) {
        avi::FieldBlock block(file_, offset, 4, path.empty() ? "riff" : path, s_.fields,
                              "a chunk size");
        FieldValue v;
        v.holds = static_cast<std::uint32_t>(block.Int32("size", 0, &v.field));
        return v;
    }

    static std::string Printed(const std::string& id) {
        std::string out;
        for (const char c : id) out += Printable(static_cast<std::byte>(c)) ? c : '?';
        return out;
    }

    platform::RandomAccessFile& file_;
    avi::BlockReader reader_;
    std::int64_t length_;
    MovieStructure s_;
    ProblemCount garbage_, missingPads_;
    std::int64_t lastMovi_ = -1;  // offset of the last movi list met in a RIFF part
    int streamListsSeen_ = 0;
    std::map<Code, std::int64_t> perCode_;
    std::int64_t problems_ = 0;  // every problem the walk met, reported or counted
    bool lastRiffWhole_ = false;
    bool lastMoviWhole_ = false;
};

}  // namespace

bool IsStreamChunkId(std::span<const std::byte> id) {
    const auto c = [&](std::size_t k) { return static_cast<char>(id[k]); };
    const auto kind = [](char x) {
        return (x >= 'a' && x <= 'z') || (x >= 'A' && x <= 'Z') || x == '_';
    };
    return id.size() >= 4 && IsDigit(c(0)) && IsDigit(c(1)) && kind(c(2)) && kind(c(3));
}

MovieStructure WalkStructure(platform::RandomAccessFile& file) {
    return Walker(file).Run();
}

}  // namespace brelvo::repair
