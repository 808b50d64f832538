// Reads the note language of Sequencer.h into timed note events.
#include <cctype>
#include <cstdlib>
#include <vector>

#include "tools/assetgen/Sequencer.h"

namespace veltrano::assetgen {

namespace {

class Reader {
   public:
    Reader(const std::string& text, ParsedChannel* out) : text_(text), out_(out) {}

    bool Run(std::string* error) {
        if (!MatchBrackets()) return Fail(error);
        while (pos_ < text_.size()) {
            const char c = text_[pos_++];
            if (std::isspace(static_cast<unsigned char>(c))) continue;
            if (!Command(c)) return Fail(error);
        }
        out_->totalTicks = tick_;
        return true;
    }

   private:
    struct Loop {
        size_t start;  // just after the '['
        size_t close;  // the matching ']'
        int pass;
    };

    bool Fail(std::string* error) const {
        if (error) *error = "note language, at character " + std::to_string(pos_) + ": " + problem_;
        return false;
    }
    bool Problem(const char* what) {
        problem_ = what;
        return false;
    }

    bool MatchBrackets() {
        match_.assign(text_.size(), 0);
        std::vector<size_t> open;
        for (size_t i = 0; i < text_.size(); ++i) {
            if (text_[i] == '[') open.push_back(i);
            if (text_[i] == ']') {
                if (open.empty()) return Problem("']' without '['");
                match_[open.back()] = i;
                open.pop_back();
            }
        }
        if (!open.empty()) return Problem("'[' without ']'");
        return true;
    }

    bool Digit() const {
        return pos_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[pos_]));
    }

    bool Number(int* value) {
        bool negative = false;
        if (pos_ < text_.size() && (text_[pos_] == '-' || text_[pos_] == '+'))
            negative = text_[pos_++] == '-';
        if (!Digit()) return Problem("number expected");
        int v = 0;
        while (Digit() && v < 100000) v = v * 10 + (text_[pos_++] - '0');
        *value = negative ? -v : v;
        return true;
    }

    // A length with dots, in ticks; no number means the default length (still dotted).
    bool Length(int64_t* ticks) {
        int64_t base = defaultTicks_;
        if (Digit()) {
            int n = 0;
            if (!Number(&n)) return false;
            if (n <= 0 || TicksPerWhole % n != 0) return Problem("length does not divide a whole note");
            base = TicksPerWhole / n;
        }
        int64_t total = base, add = base;
        while (pos_ < text_.size() && text_[pos_] == '.') {
            ++pos_;
            if (add % 2 != 0) return Problem("too many dots");
            add /= 2;
            total += add;
        }
        *ticks = total;
        return true;
    }

    bool Pitch(char letter, int* midi) {
        static const int classes[7] = {9, 11, 0, 2, 4, 5, 7};  // a b c d e f g
        int pc = classes[letter - 'a'];
        while (pos_ < text_.size() && (text_[pos_] == '+' || text_[pos_] == '#' || text_[pos_] == '-'))
            pc += text_[pos_++] == '-' ? -1 : 1;
        *midi = 12 * (octave_ + 1) + pc + transpose_;
        if (*midi < 12 || *midi > 120) return Problem("note out of range");
        return true;
    }

    void SkipSpace() {
        while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_]))) ++pos_;
    }

    bool Note(char letter) {
        int midi = 0;
        int64_t ticks = 0;
        if (!Pitch(letter, &midi) || !Length(&ticks)) return false;
        SkipSpace();
        while (pos_ < text_.size() && text_[pos_] == '&') {
            ++pos_;
            SkipSpace();
            if (pos_ >= text_.size() || text_[pos_] < 'a' || text_[pos_] > 'g')
                return Problem("note after '&'");
            int tied = 0;
            int64_t more = 0;
            const char next = text_[pos_++];
            if (!Pitch(next, &tied) || !Length(&more)) return false;
            if (tied != midi) return Problem("a tie joins notes of different pitch");
            ticks += more;
            SkipSpace();
        }
        const int64_t gate = gate_ == 8 ? ticks : ticks * gate_ / 8;
        out_->notes.push_back({tick_, gate > 0 ? gate : 1, midi, volume_ / 15.0, instrument_});
        tick_ += ticks;
        return true;
    }

    bool Command(char c) {
        int n = 0;
        int64_t ticks = 0;
        switch (c) {
            case 'a':
            case 'b':
            case 'c':
            case 'd':
            case 'e':
            case 'f':
            case 'g':
                return Note(c);
            case 'r':
                if (!Length(&ticks)) return false;
                tick_ += ticks;
                return true;
            case 'l':
                if (!Length(&ticks)) return false;
                defaultTicks_ = ticks;
                return true;
            case 'o':
                if (!Number(&octave_)) return false;
                return octave_ >= 0 && octave_ <= 8 ? true : Problem("octave out of range");
            case '<':
                --octave_;
                return true;
            case '>':
                ++octave_;
                return true;
            case 't':
                if (!Number(&n)) return false;
                if (n < 20 || n > 400) return Problem("tempo out of range");
                if (out_->tempo != 0 && out_->tempo != n) return Problem("a second tempo");
                out_->tempo = n;
                return true;
            case 'v':
                if (!Number(&volume_)) return false;
                return volume_ >= 0 && volume_ <= 15 ? true : Problem("volume out of range");
            case '@':
                return Number(&instrument_);
            case 'q':
                if (!Number(&gate_)) return false;
                return gate_ >= 1 && gate_ <= 8 ? true : Problem("gate out of range");
            case 'k':
                return Number(&transpose_);
            case '/':
                // A bar line: it checks that the notes before it fill whole bars.
                return tick_ % TicksPerWhole == 0 ? true : Problem("bar line inside a bar");
            case '[':
                loops_.push_back({pos_, match_[pos_ - 1], 0});
                return true;
            case '|': {
                // On the last pass the rest of the loop is skipped; on the others '|' does nothing.
                if (loops_.empty()) return Problem("'|' outside a loop");
                const size_t here = pos_;
                pos_ = loops_.back().close + 1;
                int count = 0;
                if (!Number(&count)) return false;
                if (loops_.back().pass + 1 >= count) {
                    loops_.pop_back();
                } else {
                    pos_ = here;
                }
                return true;
            }
            case ']': {
                if (!Number(&n)) return false;
                if (n < 1) return Problem("loop count below 1");
                Loop& loop = loops_.back();
                if (++loop.pass < n) {
                    pos_ = loop.start;
                } else {
                    loops_.pop_back();
                }
                return true;
            }
            default:
                return Problem("unknown command");
        }
    }

    const std::string& text_;
    ParsedChannel* out_;
    std::vector<size_t> match_;
    std::vector<Loop> loops_;
    std::string problem_;
    size_t pos_ = 0;
    int64_t tick_ = 0;
    int64_t defaultTicks_ = TicksPerWhole / 4;
    int octave_ = 4, volume_ = 12, instrument_ = 0, gate_ = 7, transpose_ = 0;
};

}  // namespace

bool ParseMml(const std::string& mml, ParsedChannel* out, std::string* error) {
    *out = ParsedChannel{};
    return Reader(mml, out).Run(error);
}

}  // namespace veltrano::assetgen
