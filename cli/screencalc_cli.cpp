#include "cli/screencalc_cli.h"

#include "buildinfo.h"
#include "calc/constants.h"
#include "calc/headless_view.h"
#include "calc/recalc.h"
#include "cli/text.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <istream>
#include <optional>
#include <ostream>
#include <string_view>
#include <utility>

namespace screencalc {

namespace {

using calc::Entry;
using calc::Option;
using calc::Result;

constexpr std::string_view usageText =
    "Usage: screencalc (--diagonal TEXT | --width TEXT | --height TEXT)\n"
    "                  [--ratio 16:9|4:3] [--frame 12|45|65|80|90] [--json]\n"
    "       screencalc --batch [--json] [FILE]\n"
    "       screencalc --help | --version\n"
    "\n"
    "Computes a projection screen as the calculator window does: the ratio and\n"
    "the frame are selected, then TEXT is pasted into the diagonal (inches),\n"
    "width or height (mm) field, cut to the field's 6 or 9 characters.\n"
    "\n"
    "  --json    one JSON object with the six texts exactly as the window shows them\n"
    "  --batch   CSV rows entry,text,ratio,frame from FILE or standard input\n"
    "            (entry: diagonal, width or height; empty ratio or frame: 16:9, 12);\n"
    "            blank lines and lines starting with # are skipped; in CSV output an\n"
    "            echoed cell starting with = + - @ gets a ' so that no spreadsheet\n"
    "            runs it as a formula\n"
    "\n"
    "Exit status: 0 all computed, 1 a calculation (or batch row) failed or the\n"
    "results could not be written, 2 usage error or unreadable FILE.\n";

// The six results in the window's order, with their names and captions.
constexpr const auto& results = calc::resultLabels;
constexpr std::array<std::string_view, 6> units{"mm", "mm", "in", "mm", "mm", "mm"};

struct EntryKind {
    std::string_view word; // as a batch row names it
    std::string_view flag; // as the command line names it
    Entry entry;
    std::size_t limit; // the field's length limit, in characters
};
constexpr std::array<EntryKind, 3> entryKinds{{
    {"diagonal", "--diagonal", Entry::diagonal, calc::maxLength(Entry::diagonal)},
    {"width", "--width", Entry::width, calc::maxLength(Entry::width)},
    {"height", "--height", Entry::height, calc::maxLength(Entry::height)},
}};

constexpr std::string_view ratioChoices = "use 16:9 or 4:3";
constexpr std::string_view frameChoices = "use 12, 45, 65, 80 or 90";
constexpr std::string_view entryChoices = "use diagonal, width or height";

std::optional<Option> ratioNamed(std::string_view s) {
    // The window's own captions use the full-width colon; take both.
    if (s == "16:9" || s == "16：9") {
        return Option::ratio16x9;
    }
    if (s == "4:3" || s == "4：3") {
        return Option::ratio4x3;
    }
    return std::nullopt;
}

std::optional<Option> frameNamed(std::string_view s) {
    for (const calc::Frame& f : calc::frames) {
        if (f.text == s) {
            return f.option;
        }
    }
    return std::nullopt;
}

// A text from the command line or a row, as a message shows it.
std::string quoted(std::string_view text) {
    std::string s;
    const std::string valid = validUtf8(text);
    appendMessageString(s, valid);
    // Spreadsheets and editors leave byte order marks where no one sees them.
    if (valid.find("\xEF\xBB\xBF") != std::string::npos) {
        s += " (\\uFEFF is a byte order mark)";
    }
    return s;
}

struct Selection {
    Option ratio = Option::ratio16x9;
    Option frame = Option::frame12;
    std::string_view errorIn; // "ratio" or "frame", when error is set
    std::string error;
};

// The ratio and frame a calculation selects; one not given keeps the
// window's start selection.
Selection selectionNamed(std::optional<std::string_view> ratioText,
                         std::optional<std::string_view> frameText) {
    Selection s;
    if (ratioText) {
        if (const auto named = ratioNamed(*ratioText)) {
            s.ratio = *named;
        } else {
            s.errorIn = "ratio";
            s.error =
                "unknown ratio " + quoted(*ratioText) + " (" + std::string(ratioChoices) + ")";
            return s;
        }
    }
    if (frameText) {
        if (const auto named = frameNamed(*frameText)) {
            s.frame = *named;
        } else {
            s.errorIn = "frame";
            s.error =
                "unknown frame " + quoted(*frameText) + " (" + std::string(frameChoices) + ")";
        }
    }
    return s;
}

std::string numberText(std::size_t n) {
    char buf[24];
    const auto end = std::to_chars(buf, buf + sizeof buf, n).ptr;
    return std::string(buf, end);
}

std::string_view trimmed(std::string_view s, std::string_view blanks = " \t") {
    const std::size_t first = s.find_first_not_of(blanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return s.substr(first, s.find_last_not_of(blanks) - first + 1);
}

// A label's text without the blanks its display pattern puts after the number.
std::string_view withoutDisplayBlanks(std::string_view s) {
    const std::size_t last = s.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string_view{} : s.substr(0, last + 1);
}

struct Calculation {
    bool ok = false;
    std::array<std::string, 6> texts; // in the order of results, as the labels hold them
    std::string error;                // what went wrong, when !ok
    std::string notice;               // the cut of a computed text, if any
};

// "6 characters", or "6 UTF-16 units" where a character beyond U+FFFF took
// two of them, as the window's text box counts.
std::string cutLength(std::string_view text, std::string_view cut, std::size_t limit) {
    const std::string_view seen = text.substr(0, cut.size() + 4);
    const bool wide = std::any_of(seen.begin(), seen.end(),
                                  [](char c) { return static_cast<unsigned char>(c) >= 0xF0; });
    return numberText(limit) + (wide ? " UTF-16 units" : " characters");
}

// One calculation in a freshly started window: select the ratio, then the
// frame, as clicks would; then paste the text into the entry field.
Calculation calculate(const EntryKind& kind, std::string_view text, Option ratio, Option frame) {
    Calculation c;
    const std::string_view cut = firstChars(text, kind.limit);
    if (cut.empty()) {
        c.error = "the text is empty";
        return c;
    }
    // A lone point would only empty the field again and compute nothing.
    if (cut == ".") {
        c.error = "\".\" is not a number";
        return c;
    }

    calc::HeadlessView view;
    for (const Option o : {ratio, frame}) {
        const calc::Outcome selected = view.select(o);
        if (!selected.ok()) {
            c.error = "selecting " + std::string(calc::nameOf(o)) +
                      " failed: " + std::string(calc::describe(selected));
            return c;
        }
    }
    view.clearRuns();
    view.setEntryText(kind.entry, cut);

    for (const calc::Outcome& run : view.runs()) {
        if (run.ok()) {
            continue;
        }
        std::string shown = quoted(cut);
        if (cut.size() < text.size()) {
            shown += " (cut to " + cutLength(text, cut, kind.limit) + ")";
        }
        switch (run.stop) {
        case calc::Stop::notANumber:
            c.error = shown + " is not a number";
            break;
        case calc::Stop::notFinite:
            c.error = shown + " gives a result too large to compute";
            break;
        default:
            c.error = shown + ": " + std::string(calc::describe(run));
            break;
        }
        return c;
    }
    if (view.runs().empty()) {
        // Cannot happen in a fresh window, whose fields start empty.
        c.error = "the entry field did not take the text";
        return c;
    }
    for (std::size_t i = 0; i < results.size(); ++i) {
        c.texts[i] = view.resultText(results[i].result);
    }
    c.ok = true;
    // The window cuts without a word; a script should hear of it.
    if (cut.size() < text.size()) {
        c.notice = "only the first " + cutLength(text, cut, kind.limit) + " count: " + quoted(cut);
    }
    return c;
}

std::string tableText(const std::array<std::string, 6>& texts) {
    std::size_t captionWidth = 0;
    std::size_t valueWidth = 0;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        captionWidth = std::max(captionWidth, displayWidth(results[i].caption));
        valueWidth = std::max(valueWidth, withoutDisplayBlanks(texts[i]).size());
    }
    std::string out;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const std::string_view value = withoutDisplayBlanks(texts[i]);
        out += results[i].caption;
        out.append(captionWidth - displayWidth(results[i].caption) + 2 + valueWidth - value.size(),
                   ' ');
        out += value;
        out += ' ';
        out += units[i];
        out += '\n';
    }
    return out;
}

void appendJsonResults(std::string& out, const Calculation& c) {
    for (std::size_t i = 0; i < results.size(); ++i) {
        if (i > 0) {
            out += ',';
        }
        out += '"';
        out += results[i].name;
        out += "\":";
        if (c.ok) {
            appendJsonString(out, c.texts[i]);
        } else {
            out += "null";
        }
    }
}

void writeAll(std::ostream& os, std::string_view s) {
    os.write(s.data(), static_cast<std::streamsize>(s.size()));
}

// Writes the text through to the stream; a failure gets its one line on
// `err`. Whoever gets false stops: the results have nowhere to go.
bool emit(std::ostream& out, std::ostream& err, std::string_view text) {
    errno = 0;
    writeAll(out, text);
    out.flush();
    if (out) {
        return true;
    }
    const int error = errno;
    writeAll(err, std::string("screencalc: writing the results failed") +
                      (error != 0 ? std::string(": ") + std::strerror(error) : "") + "\n");
    return false;
}

// A wrong value already names the right ones; other mistakes point to --help.
void reportUsage(std::ostream& err, std::string_view message, bool pointToHelp = true) {
    writeAll(err, "screencalc: " + std::string(message) +
                      (pointToHelp ? " (see screencalc --help)\n" : "\n"));
}

// ---- batch ----

struct Row {
    std::array<std::string, 4> fields; // entry, text, ratio, frame as given
    Calculation calc;
};

Row calculateRow(std::string_view line) {
    Row row;
    CsvSplit split = splitCsvLine(line);
    row.fields = std::move(split.fields);
    if (!split.error.empty()) {
        row.calc.error = split.error;
        return row;
    }
    if (split.count > row.fields.size()) {
        row.calc.error = "too many fields (expected entry,text,ratio,frame)";
        return row;
    }

    const std::string_view word = trimmed(row.fields[0]);
    const EntryKind* kind = nullptr;
    for (const EntryKind& k : entryKinds) {
        if (k.word == word) {
            kind = &k;
        }
    }
    if (kind == nullptr) {
        row.calc.error =
            word.empty() ? "the entry is missing (" + std::string(entryChoices) + ")"
                         : "unknown entry " + quoted(word) + " (" + std::string(entryChoices) + ")";
        return row;
    }

    // An empty field keeps the default.
    const auto given = [](std::string_view field) {
        return field.empty() ? std::nullopt : std::optional(field);
    };
    const Selection chosen =
        selectionNamed(given(trimmed(row.fields[2])), given(trimmed(row.fields[3])));
    if (!chosen.error.empty()) {
        row.calc.error = chosen.error;
        return row;
    }
    // The text goes in as it stands: a pasted text is not trimmed either.
    row.calc = calculate(*kind, row.fields[1], chosen.ratio, chosen.frame);
    return row;
}

void appendCsvRow(std::string& out, const Row& row) {
    for (const std::string& f : row.fields) {
        // A spreadsheet would run an echoed cell that starts like a formula;
        // the usual apostrophe keeps it text.
        if (!f.empty() && std::string_view("=+-@\t\r").find(f.front()) != std::string_view::npos) {
            appendCsvField(out, "'" + f);
        } else {
            appendCsvField(out, f);
        }
        out += ',';
    }
    for (const std::string& t : row.calc.texts) {
        appendCsvField(out, withoutDisplayBlanks(t));
        out += ',';
    }
    appendCsvField(out, row.calc.error);
    out += '\n';
}

void appendJsonRow(std::string& out, const Row& row) {
    static constexpr std::array<std::string_view, 4> keys{"entry", "text", "ratio", "frame"};
    out += '{';
    for (std::size_t i = 0; i < keys.size(); ++i) {
        out += '"';
        out += keys[i];
        out += "\":";
        appendJsonString(out, row.fields[i]);
        out += ',';
    }
    appendJsonResults(out, row.calc);
    out += ",\"error\":";
    if (row.calc.ok) {
        out += "null";
    } else {
        appendJsonString(out, row.calc.error);
    }
    out += "}\n";
}

// Far above any real row; a longer line is reported, not kept.
constexpr std::size_t lineCap = 64 * 1024;

// Reads lines in bounded memory. LF, CRLF and a lone CR (old spreadsheets)
// each end a line. Before every read from the stream it calls `beforeRead`,
// which stops the reading by returning false.
class LineReader {
public:
    enum class Got { line, tooLong, end, stopped, failed };

    LineReader(std::istream& in, std::function<bool()> beforeRead)
        : in_(in), beforeRead_(std::move(beforeRead)) {}

    // The next line without its end. A line longer than the cap comes back
    // as tooLong as soon as it is seen; its rest is skipped unkept.
    Got next(std::string& line) {
        line.clear();
        bool begun = false;
        while (true) {
            if (pos_ == len_) {
                if (const Got got = fill(); got != Got::line) {
                    // The last line may lack its end.
                    return got == Got::end && begun && !skipping_ ? Got::line : got;
                }
            }
            if (afterCr_) {
                afterCr_ = false;
                if (buffer_[pos_] == '\n') {
                    ++pos_;
                    continue;
                }
            }
            const char* begin = buffer_.data() + pos_;
            const char* end = buffer_.data() + len_;
            const char* stop =
                std::find_if(begin, end, [](char c) { return c == '\n' || c == '\r'; });
            pos_ += static_cast<std::size_t>(stop - begin);
            begun = true;
            if (!skipping_) {
                if (line.size() + static_cast<std::size_t>(stop - begin) > lineCap) {
                    skipping_ = true;
                    line.clear();
                    return Got::tooLong;
                }
                line.append(begin, stop);
            }
            if (stop != end) {
                afterCr_ = *stop == '\r';
                ++pos_;
                if (!skipping_) {
                    return Got::line;
                }
                skipping_ = false;
                begun = false;
            }
        }
    }

    bool readAny() const { return readAny_; }
    int error() const { return error_; }

private:
    Got fill() {
        if (!beforeRead_()) {
            return Got::stopped;
        }
        errno = 0;
        // peek waits for input; readsome then takes what arrived, so rows
        // typed or piped in one at a time are answered at once.
        if (in_.peek() == std::char_traits<char>::eof()) {
            error_ = errno;
            return in_.bad() ? Got::failed : Got::end;
        }
        const std::streamsize n = in_.readsome(buffer_.data(), buffer_.size());
        if (n <= 0) {
            error_ = errno;
            return Got::failed;
        }
        pos_ = 0;
        len_ = static_cast<std::size_t>(n);
        readAny_ = true;
        return Got::line;
    }

    std::istream& in_;
    std::function<bool()> beforeRead_;
    std::array<char, 1 << 14> buffer_{};
    std::size_t pos_ = 0;
    std::size_t len_ = 0;
    bool afterCr_ = false;  // a CR ended the last line: a LF right after it belongs to it
    bool skipping_ = false; // inside the rest of a line longer than the cap
    bool readAny_ = false;
    int error_ = 0;
};

std::string reason(int error) {
    return error != 0 ? std::strerror(error) : "the stream failed";
}

int runBatch(std::istream& in, std::string_view source, bool json, std::ostream& out,
             std::ostream& err) {
    constexpr std::size_t flushAt = 1 << 16;
    // Nothing reaches the output before the input has given its first bytes,
    // so an unreadable input leaves it empty.
    std::string pending = json ? "" : "entry,text,ratio,frame,w,h,inch1,w1,h1,bkw,error\n";
    bool started = false;
    bool writeFailed = false;
    // Every computed row goes out before the program waits for input or
    // stops; the first failed write ends the run.
    const auto flush = [&] {
        if (writeFailed || !emit(out, err, pending)) {
            writeFailed = true;
            return false;
        }
        pending.clear();
        return true;
    };
    LineReader reader(in, [&] { return !started || pending.empty() || flush(); });

    bool failed = false;
    bool firstRow = true;
    std::size_t lineNumber = 0;
    std::string raw;
    LineReader::Got got;
    while ((got = reader.next(raw)) == LineReader::Got::line || got == LineReader::Got::tooLong) {
        started = true;
        ++lineNumber;
        Row row;
        if (got == LineReader::Got::tooLong) {
            row.calc.error = "line longer than " + numberText(lineCap) + " bytes";
        } else {
            std::string_view view = raw;
            if (lineNumber == 1 && view.starts_with("\xEF\xBB\xBF")) {
                view.remove_prefix(3); // the byte order mark that spreadsheets write
            }
            // Blank lines and comments, indented ones too, are no rows.
            if (const std::string_view content = trimmed(view);
                content.empty() || content.front() == '#') {
                continue;
            }
            const std::string line = validUtf8(view);
            if (std::exchange(firstRow, false) && line == "entry,text,ratio,frame") {
                continue; // a heading, as our own CSV output starts with
            }
            row = calculateRow(line);
        }
        const std::string where = "screencalc: row " + numberText(lineNumber) + ": ";
        if (!row.calc.ok) {
            failed = true;
            writeAll(err, where + row.calc.error + "\n");
        } else if (!row.calc.notice.empty()) {
            writeAll(err, where + row.calc.notice + "\n");
        }
        if (json) {
            appendJsonRow(pending, row);
        } else {
            appendCsvRow(pending, row);
        }
        // A long line may be followed by endless skipping: show what came before.
        if ((pending.size() >= flushAt || got == LineReader::Got::tooLong) && !flush()) {
            return exitFailed;
        }
    }
    if (got == LineReader::Got::failed) {
        if (!reader.readAny()) {
            writeAll(err, "screencalc: cannot read " + std::string(source) + ": " +
                              reason(reader.error()) + "\n");
            return exitUsage;
        }
        flush();
        writeAll(err, "screencalc: reading the rows failed after row " + numberText(lineNumber) +
                          ": " + reason(reader.error()) + "\n");
        return exitFailed;
    }
    if (!flush()) {
        return exitFailed;
    }
    return failed ? exitFailed : exitComputed;
}

// ---- command line ----

struct CommandLine {
    bool help = false;
    bool version = false;
    bool json = false;
    bool batch = false;
    const EntryKind* entry = nullptr;
    std::string text;
    std::optional<std::string> ratio;
    std::optional<std::string> frame;
    std::optional<std::string> file;
    std::string error; // the first usage error
};

CommandLine parse(const std::vector<std::string>& args) {
    CommandLine cl;
    const auto fail = [&](std::string message) {
        if (cl.error.empty()) {
            cl.error = std::move(message);
        }
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg == "--help" || arg == "-h") {
            cl.help = true;
        } else if (arg == "--version") {
            cl.version = true;
        } else if (arg == "--json") {
            cl.json = true;
        } else if (arg == "--batch") {
            cl.batch = true;
        } else if (arg.starts_with("--")) {
            const std::size_t eq = arg.find('=');
            const std::string_view name = arg.substr(0, eq);
            const EntryKind* kind = nullptr;
            for (const EntryKind& k : entryKinds) {
                if (k.flag == name) {
                    kind = &k;
                }
            }
            if (kind == nullptr && name != "--ratio" && name != "--frame") {
                fail("unknown option " + quoted(arg));
                continue;
            }
            std::string value;
            if (eq != std::string_view::npos) {
                value = arg.substr(eq + 1);
            } else if (i + 1 < args.size() && !args[i + 1].starts_with("--")) {
                value = args[++i]; // taken as it is, even a "-5"
            } else {
                fail(std::string(name) + " needs a value");
                continue;
            }
            if (kind != nullptr) {
                if (cl.entry != nullptr) {
                    fail(std::string(name) + ": give only one of --diagonal, --width or --height");
                    continue;
                }
                cl.entry = kind;
                cl.text = std::move(value);
            } else {
                std::optional<std::string>& slot = name == "--ratio" ? cl.ratio : cl.frame;
                if (slot) {
                    fail(std::string(name) + " is given twice");
                    continue;
                }
                slot = std::move(value);
            }
        } else if (arg == "-" || !arg.starts_with("-")) {
            if (cl.file) {
                fail("unexpected argument " + quoted(arg));
                continue;
            }
            cl.file = arg;
        } else {
            fail("unknown option " + quoted(arg));
        }
    }
    return cl;
}

// A FILE argument is UTF-8; Windows opens it through its UTF-16 name.
std::filesystem::path pathOf(const std::string& name) {
#ifdef _WIN32
    return std::filesystem::path(std::u8string(name.begin(), name.end()));
#else
    return name;
#endif
}

} // namespace

int runScreencalc(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                  std::ostream& err) {
    const CommandLine cl = parse(args);
    if (cl.help) {
        return emit(out, err, usageText) ? exitComputed : exitFailed;
    }
    if (cl.version) {
        return emit(out, err, "screencalc " + std::string(build::shownVersion) + "\n")
                   ? exitComputed
                   : exitFailed;
    }
    if (!cl.error.empty()) {
        reportUsage(err, cl.error);
        return exitUsage;
    }

    if (cl.batch) {
        if (cl.entry != nullptr || cl.ratio || cl.frame) {
            const std::string_view flag =
                cl.entry != nullptr ? cl.entry->flag : (cl.ratio ? "--ratio" : "--frame");
            reportUsage(err, std::string(flag) + " cannot be combined with --batch");
            return exitUsage;
        }
        if (!cl.file || *cl.file == "-") {
            return runBatch(in, "standard input", cl.json, out, err);
        }
        errno = 0;
        std::ifstream file(pathOf(*cl.file), std::ios::binary);
        if (!file) {
            writeAll(err, "screencalc: cannot read " + screencalc::quoted(*cl.file) + ": " +
                              reason(errno) + "\n");
            return exitUsage;
        }
        return runBatch(file, screencalc::quoted(*cl.file), cl.json, out, err);
    }

    if (cl.file) {
        reportUsage(err, "unexpected argument " + screencalc::quoted(*cl.file));
        return exitUsage;
    }
    if (cl.entry == nullptr) {
        reportUsage(err, "give one of --diagonal, --width or --height");
        return exitUsage;
    }
    const Selection chosen = selectionNamed(cl.ratio, cl.frame);
    if (!chosen.error.empty()) {
        reportUsage(err, "--" + std::string(chosen.errorIn) + ": " + chosen.error, false);
        return exitUsage;
    }

    const Calculation c = calculate(*cl.entry, validUtf8(cl.text), chosen.ratio, chosen.frame);
    const std::string where = "screencalc: " + std::string(cl.entry->flag) + ": ";
    if (!c.ok) {
        writeAll(err, where + c.error + "\n");
        return exitFailed;
    }
    if (!c.notice.empty()) {
        writeAll(err, where + c.notice + "\n");
    }
    std::string result;
    if (cl.json) {
        result += '{';
        appendJsonResults(result, c);
        result += "}\n";
    } else {
        result = tableText(c.texts);
    }
    return emit(out, err, result) ? exitComputed : exitFailed;
}

} // namespace screencalc
