#include "cli/batch.h"

#include "calc/calcview.h"
#include "calc/json.h"
#include "cli/calculation.h"
#include "cli/line_reader.h"
#include "cli/output.h"
#include "cli/room.h"
#include "cli/screencalc_cli.h"
#include "cli/text.h"

#include <optional>
#include <ostream>
#include <utility>

namespace screencalc {

namespace {

std::string joined(const std::array<std::string_view, 4>& words) {
    std::string out;
    for (const std::string_view w : words) {
        out += out.empty() ? "" : ",";
        out += w;
    }
    return out;
}

// The results file's columns: the four input ones, six results, then these.
constexpr std::size_t errorColumn = 10;

struct Row {
    std::array<std::string, 4> fields; // entry, text, ratio, frame as given, in UTF-8
    std::array<std::string, 4> bytes;  // the same as read, where the input is GB18030
    bool gb18030 = false;
    Calculation calc;
};

// A line that names the columns is a heading, in any quoting: the input's
// four, or the longer one of our own results, of this version or the last
// (without "note"); a results file's rows are read by their first four
// columns.
enum class Heading { none, input, results };

Heading headingOf(const CsvSplit& split) {
    if (!split.error.empty() || split.filled > split.fields.size() ||
        trimBlanks(split.fields[0]) != inputColumns[0]) {
        return Heading::none;
    }
    std::string seen;
    for (std::size_t i = 0; i < split.filled; ++i) {
        seen += i == 0 ? "" : ",";
        seen += trimBlanks(split.fields[i]);
    }
    // The input heading, or its first columns from "entry,text" on: ratio
    // and frame may be left out of a file, and so out of its heading.
    std::string columns(inputColumns[0]);
    for (std::size_t i = 1; i < inputColumns.size(); ++i) {
        columns += ",";
        columns += inputColumns[i];
        if (seen == columns) {
            return Heading::input;
        }
    }
    const std::string results = csvHeading();
    const std::string earlier = results.substr(0, results.rfind(",note"));
    return seen + "\n" == results || seen == earlier ? Heading::results : Heading::none;
}

// The characters that make a spreadsheet run a cell as a formula; an echoed
// cell starting with one gets an apostrophe first.
constexpr std::string_view formulaStarts = "=+-@\t\r";

std::string tooManyFields() {
    return "too many fields (expected " + joined(inputColumns) + ")";
}

std::string tooLong() {
    return "line longer than " + numberText(lineCap) + " bytes";
}

constexpr std::string_view jsonLineError =
    "a JSON line: --batch reads CSV rows entry,text,ratio,frame (--json is an output format)";

// The errors of a line that could not be read as fields. A results file
// holds only what was read of such a line, so it keeps the error.
bool isLineError(std::string_view error) {
    return error == tooManyFields() || error == tooLong() || error == unclosedQuote ||
           error == textAfterQuote || error == loneSurrogate || error == halfCharacter ||
           error == jsonLineError || isEncodingProblem(error);
}

Row calculateRow(CsvSplit split, bool fromResults) {
    Row row;
    std::move(split.fields.begin(), split.fields.begin() + 4, row.fields.begin());
    if (!split.error.empty()) {
        row.calc.error = split.error;
        return row;
    }
    // Spreadsheets end rows with empty fields to line them up.
    if (split.filled > row.fields.size() && !fromResults) {
        row.calc.error = tooManyFields();
        return row;
    }
    if (fromResults && isLineError(split.fields[errorColumn])) {
        row.calc.error = split.fields[errorColumn];
        return row;
    }
    if (fromResults) {
        for (std::string& f : row.fields) {
            if (f.size() > 1 && f.front() == '\'' && formulaStarts.find(f[1]) != f.npos) {
                f.erase(0, 1); // the apostrophe our own output put there
            }
        }
    }

    // An empty field keeps the default.
    const auto given = [](std::string_view field) {
        return field.empty() ? std::nullopt : std::optional(field);
    };
    const std::string_view word = trimBlanks(row.fields[0]);
    if (word == "room") {
        row.calc = calculateRoomRow(row.fields[1], given(trimBlanks(row.fields[2])),
                                    given(trimBlanks(row.fields[3])));
        return row;
    }
    const EntryKind* kind = entryNamed(word);
    if (kind == nullptr) {
        row.calc.error = (word.empty() ? "the entry is missing" : "unknown entry " + quoted(word)) +
                         " (" + entryChoices() + ")";
        return row;
    }

    const Selection chosen =
        selectionNamed(given(trimBlanks(row.fields[2])), given(trimBlanks(row.fields[3])));
    if (!chosen.error.empty()) {
        row.calc.error = chosen.error;
        return row;
    }
    // The text goes in as it stands: a pasted text is not trimmed either.
    row.calc = calculate(*kind, row.fields[1], chosen, "");
    return row;
}

// A message in the results file: GB18030 beside GB18030 cells.
void appendCsvMessage(std::string& out, const std::string& text, bool gb18030) {
    if (gb18030) {
        std::string encoded;
        encodeGb18030(text, encoded);
        appendCsvField(out, encoded);
    } else {
        appendCsvField(out, text);
    }
}

void appendCsvRow(std::string& out, const Row& row, bool forTerminal) {
    const bool gb18030 = row.gb18030 && !forTerminal;
    for (std::size_t i = 0; i < row.fields.size(); ++i) {
        const std::string& f = gb18030 ? row.bytes[i] : row.fields[i];
        const bool formula = !f.empty() && formulaStarts.find(f.front()) != f.npos;
        const std::string cell = (formula ? "'" : "") + f;
        appendCsvField(out, forTerminal ? withHiddenEscaped(cell) : cell);
        out += ',';
    }
    for (const std::string& t : row.calc.texts) {
        appendCsvField(out, withoutDisplayBlanks(t));
        out += ',';
    }
    appendCsvMessage(out, row.calc.error, gb18030);
    out += ',';
    appendCsvMessage(out, row.calc.note, gb18030);
    out += '\n';
}

void appendJsonRow(std::string& out, const Row& row, bool forTerminal) {
    out += '{';
    for (std::size_t i = 0; i < inputColumns.size(); ++i) {
        out += '"';
        out += inputColumns[i];
        out += "\":";
        calc::appendJsonString(out, row.fields[i], forTerminal);
        out += ',';
    }
    appendJsonResults(out, row.calc);
    if (!row.calc.roomJson.empty()) {
        out += ",\"room\":" + row.calc.roomJson;
    }
    for (const auto& [key, text] :
         {std::pair{"error", &row.calc.error}, {"note", &row.calc.note}}) {
        out += ",\"";
        out += key;
        out += "\":";
        if (text->empty()) {
            out += "null";
        } else {
            calc::appendJsonString(out, *text);
        }
    }
    out += "}\n";
}

// What a first line "sep=;" chooses, as Excel writes and reads it: 0 when
// the line is no such line.
char separatorLine(std::string_view line) {
    if (!line.starts_with("sep=")) {
        return 0;
    }
    std::string_view sep = line.substr(4);
    // A sheet that held the line in its first cell writes it with the row's
    // empty cells after it.
    while (sep.size() > 1 && sep.back() == sep.front()) {
        sep.remove_suffix(1);
    }
    return sep == "," ? ',' : sep == ";" ? ';' : sep == "\t" || sep == "\\t" ? '\t' : 0;
}

// The separator a row shows: the first comma, semicolon or tab after its
// first field; 0 when it has none.
char separatorOf(std::string_view line) {
    std::size_t from = 0;
    if (const std::string_view start = trimBlanks(line); start.starts_with('"')) {
        from = line.find('"', static_cast<std::size_t>(start.data() - line.data()) + 1);
        while (from != std::string_view::npos && line.substr(from).starts_with("\"\"")) {
            from = line.find('"', from + 2);
        }
        if (from == std::string_view::npos) {
            return 0;
        }
    }
    const std::size_t at = line.find_first_of(",;\t", from);
    return at == std::string_view::npos ? 0 : line[at];
}

bool allEmpty(const CsvSplit& split) {
    for (std::size_t i = 0; i < std::min(split.count, split.fields.size()); ++i) {
        if (!trimBlanks(split.fields[i]).empty()) {
            return false;
        }
    }
    return split.count <= split.fields.size() && split.error.empty();
}

// Turns the lines of a batch into rows, settling on the input's encoding
// and separator as they show.
class RowReader {
public:
    RowReader(TextEncoding encoding, bool json) : encoding_(encoding), json_(json) {}

    enum class Line {
        row,  // `row` holds it
        none, // blank, a comment, empty cells, a heading, the sep= line
        end,  // a DOS end-of-file mark
        json, // the input starts with a JSON line
    };
    // `unicode`: the line reader found a byte order mark or UTF-16.
    Line read(const std::string& raw, bool unicode, Row& row);

private:
    TextEncoding encoding_;
    bool json_;
    std::optional<LineDecoder> decoder_;
    std::string decoded_;
    bool first_ = true;
    bool fromResults_ = false;
    char separator_ = 0; // until a row shows one
};

RowReader::Line RowReader::read(const std::string& raw, bool unicode, Row& row) {
    if (!decoder_) {
        // A byte order mark or UTF-16 says Unicode, whatever was guessed or given.
        decoder_.emplace(unicode ? TextEncoding::utf8 : encoding_);
    }
    // Blank lines and comments, indented ones too, are no rows. A DOS
    // end-of-file mark ends the input, as it did for DOS.
    const std::string_view content = trimBlanks(raw);
    if (content.empty() || content.front() == '#') {
        return Line::none;
    }
    if (content == "\x1A") {
        return Line::end;
    }
    const LineDecoder::Got text = decoder_->decode(raw, decoded_);
    const std::string_view line = text == LineDecoder::Got::decoded ? decoded_ : raw;
    const bool jsonLine = trimBlanks(line).starts_with('{');
    if (std::exchange(first_, false)) {
        if (const char sep = separatorLine(line)) {
            separator_ = sep;
            return Line::none;
        }
        if (jsonLine) {
            return Line::json;
        }
    }
    if (separator_ == 0) {
        separator_ = separatorOf(line);
    }
    const char sep = separator_ == 0 ? ',' : separator_;
    CsvSplit split = splitCsvLine(line, sep);
    // Spreadsheets write rows of empty cells below the data.
    if (allEmpty(split)) {
        return Line::none;
    }
    // A heading names the columns; one of our own may be anywhere, where runs
    // were appended to one file.
    if (const Heading heading = headingOf(split); heading != Heading::none) {
        fromResults_ = fromResults_ || heading == Heading::results;
        return Line::none;
    }
    if (text == LineDecoder::Got::bad || jsonLine) {
        std::move(split.fields.begin(), split.fields.begin() + 4, row.fields.begin());
        row.calc.error = jsonLine ? std::string(jsonLineError) : decoder_->problem();
        return Line::row;
    }
    row = calculateRow(std::move(split), fromResults_);
    if (text == LineDecoder::Got::decoded && !json_) {
        // The CSV output echoes the cells as they were read.
        row.gb18030 = true;
        CsvSplit asRead = splitCsvLine(raw, sep);
        std::move(asRead.fields.begin(), asRead.fields.begin() + 4, row.bytes.begin());
    }
    return Line::row;
}

} // namespace

std::string csvHeading() {
    std::string out = joined(inputColumns);
    for (const calc::ResultLabel& label : calc::resultLabels) {
        out += ',';
        out += label.name;
    }
    return out + ",error,note\n";
}

int runBatch(std::istream& in, std::string_view source, BatchFormat format, std::ostream& out,
             std::ostream& err) {
    constexpr std::size_t flushAt = 1 << 16;
    // Nothing reaches the output before the input has given its first bytes,
    // so an unreadable input leaves it empty.
    std::string pending = format.json ? "" : csvHeading();
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
    RowReader rows(format.encoding, format.json);
    std::size_t lineNumber = 0;
    std::string raw;
    LineReader::Got got;
    while ((got = reader.next(raw)) == LineReader::Got::line || got == LineReader::Got::tooLong ||
           got == LineReader::Got::badText) {
        started = true;
        ++lineNumber;
        Row row;
        if (got == LineReader::Got::tooLong) {
            row.calc.error = tooLong();
        } else if (got == LineReader::Got::badText) {
            row.calc.error = std::string(reader.problem());
        } else if (const RowReader::Line line = rows.read(raw, reader.unicode(), row);
                   line == RowReader::Line::none) {
            continue;
        } else if (line == RowReader::Line::end) {
            got = LineReader::Got::end;
            break;
        } else if (line == RowReader::Line::json) {
            writeAll(err, "screencalc: cannot read " + std::string(source) +
                              ": it holds JSON lines, as --json writes them; --batch reads CSV "
                              "rows entry,text,ratio,frame\n");
            return exitUsage;
        }
        const std::string where = "screencalc: row " + numberText(lineNumber) + ": ";
        if (!row.calc.ok) {
            failed = true;
            writeAll(err, where + row.calc.error + "\n");
        }
        for (const std::string& notice : row.calc.notices) {
            writeAll(err, where + notice + "\n");
        }
        if (format.json) {
            appendJsonRow(pending, row, format.forTerminal);
        } else {
            appendCsvRow(pending, row, format.forTerminal);
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

} // namespace screencalc
