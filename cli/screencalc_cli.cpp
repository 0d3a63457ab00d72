#include "cli/screencalc_cli.h"

#include "buildinfo.h"
#include "calc/calcview.h"
#include "calc/constants.h"
#include "calc/quote.h"
#include "cli/batch.h"
#include "cli/calculation.h"
#include "cli/encoding.h"
#include "cli/files.h"
#include "cli/output.h"
#include "cli/room.h"
#include "cli/text.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <fstream>
#include <optional>
#include <ostream>
#include <string_view>
#include <utility>

namespace screencalc {

namespace {

// The JSON keys, one a line: "              w      viewing width, mm".
std::string jsonKeys() {
    std::string out;
    for (const calc::ResultLabel& label : calc::resultLabels) {
        out += "              ";
        out += label.name;
        out.append(7 - label.name.size(), ' ');
        out += meaningOf(label.result);
        out += label.result == calc::Result::diagonal ? ", inches\n" : ", mm\n";
    }
    return out;
}

std::string usageText() {
    const std::string frames = frameList("|", "|");
    return "Usage: screencalc (--diagonal TEXT | --width TEXT | --height TEXT)\n"
           "                  [--ratio 16:9|4:3] [--frame " +
           frames +
           "] [--json | --quote]\n"
           "       screencalc --room (--farthest MM [--closest MM] | --diagonal IN)\n"
           "                  [--content cinema|presentation|detail]\n"
           "                  [--element PCT|MMmm|PTpt] [--lines N] [--eye MM]\n"
           "                  [--edge MM] [--ceiling MM] [--throw R[-R]]\n"
           "                  [--ratio 16:9|4:3] [--frame " +
           frames +
           "] [--json]\n"
           "       screencalc --batch [--json] [--encoding utf-8|gb18030] [--] [FILE]\n"
           "       screencalc --help | --version\n"
           "\n"
           "Computes a projection screen as the calculator window does: the ratio and\n"
           "the frame are selected, then TEXT is pasted into the diagonal (inches),\n"
           "width or height (mm) field, cut to the field's 6 or 9 characters. TEXT is\n"
           "digits with at most one point: no sign, no unit, no thousands separator.\n"
           "As in the window, 4:3 changes a diagonal's results only with the " +
           std::string(calc::frameOf(calc::Option::frame80).text) +
           " mm\n"
           "frame, and then with a " +
           std::string(calc::frame7Text) +
           " mm frame; widths and heights always compute 16:9.\n"
           "A ratio or frame, given as an option or in a batch row, that has no effect\n"
           "on the results is said on standard error with the reason; the results\n"
           "stay the window's.\n"
           "\n"
           "  --json    one JSON object with the six texts exactly as the window shows\n"
           "            them, blanks included:\n" +
           jsonKeys() +
           "  --quote   the results as a short Chinese text to send a customer, with the\n"
           "            ratio and the frame, as the web page's \"分享报价\" shares it\n"
           "  --room    which screen a room needs, from the viewers' distances (eyes to\n"
           "            screen; mm, or 4.2m, 420cm, 13ft 6in; no --closest: one row): the\n"
           "            smallest readable, recommended and largest comfortable image, each\n"
           "            with its rule, and the window's texts for their whole inches.\n"
           "            cinema (default): 30 degrees wide from the farthest seat (SMPTE),\n"
           "            36 recommended (THX), at most 60 from the closest; presentation:\n"
           "            DISCAS BDM, --element % of the image height (2.5), or mm or pt at\n"
           "            96 px per inch on --lines; detail: DISCAS ADM, --lines (1080), one\n"
           "            arc-minute a pixel. --eye (1200) and --edge (the screen's lower\n"
           "            edge, default at eye height) in mm above the floor; --ceiling checks\n"
           "            the image top; --throw gives the projector's lens distances. With\n"
           "            --diagonal IN: the closest and farthest seat of each content. 4:3\n"
           "            comes with the 80 mm frame, the only one with 4:3 sizes.\n"
           "  --batch   CSV rows entry,text,ratio,frame from FILE or standard input\n"
           "            (entry: diagonal, width, height or room; a room's text is\n"
           "            farthest=MM closest=MM content=..., the --room options as\n"
           "            key=value, and its row gets the recommended diagonal, the whole\n"
           "            range on standard error; empty ratio or frame: 16:9, 12, or 80\n"
           "            for 4:3 rooms), separated by commas, semicolons or tabs: a first\n"
           "            line sep=; (as Excel writes it) or else the first row says which;\n"
           "            blank lines, lines starting with #, rows of empty cells and\n"
           "            headings are skipped, and a line of Ctrl-Z ends the input; in CSV\n"
           "            output an echoed cell starting with = + - @ gets a ' so that no\n"
           "            spreadsheet runs it as a formula, and a text cut to its field's\n"
           "            length is said in the note column (JSON: \"note\")\n"
           "  --encoding utf-8|gb18030\n"
           "            the input's encoding; without it, input with a byte order mark is\n"
           "            UTF-8 or UTF-16, as the mark says, and so is UTF-16 without one;\n"
           "            otherwise the first line that is not ASCII decides: UTF-8 if it is\n"
           "            UTF-8, else GB18030 (GBK, as Excel saves CSV on Chinese Windows).\n"
           "            CSV results of GB18030 input are GB18030, echoed cells as read\n"
           "  --        ends the options: FILE may then start with -\n"
           "\n"
           "When the results cannot all be written (a full disk, a file size limit),\n"
           "a results file is cut back to its last whole row and standard error says so.\n"
           "\n"
           "Exit status: 0 all computed, 1 a calculation (or batch row) failed, a room\n"
           "has no answer or the results could not be written, 2 usage error (a room\n"
           "value that is not one) or unreadable FILE.\n";
}

struct CommandLine {
    bool help = false;
    bool version = false;
    bool json = false;
    bool quote = false;
    bool batch = false;
    bool room = false;
    calc::RoomTexts roomTexts;
    std::string firstRoomValue; // the first of --farthest, --closest, ... given
    const EntryKind* entry = nullptr;
    std::string text;
    std::optional<std::string> ratio;
    std::optional<std::string> frame;
    std::optional<std::string> file;
    std::optional<TextEncoding> encoding;
    std::string error;       // the usage error of the first word not understood
    std::size_t errorAt = 0; // that word's place
};

// What an option does to the command line; an error text when it cannot.
using Apply = std::string (*)(CommandLine&, std::string_view name, std::string value);

std::string setOnce(std::optional<std::string>& slot, std::string_view name, std::string value) {
    if (slot) {
        return std::string(name) + " is given twice";
    }
    slot = std::move(value);
    return {};
}

// "--diagonal, --width or --height".
std::string entryFlags() {
    std::string out;
    for (const EntryKind& k : entryKinds) {
        out += out.empty() ? "" : &k == &entryKinds.back() ? " or " : ", ";
        out += k.flag;
    }
    return out;
}

// --diagonal, --width and --height: one of them, once.
std::string setEntry(CommandLine& cl, std::string_view name, std::string value) {
    if (cl.entry != nullptr) {
        return std::string(name) + ": give only one of " + entryFlags();
    }
    for (const EntryKind& k : entryKinds) {
        if (k.flag == name) {
            cl.entry = &k;
        }
    }
    cl.text = std::move(value);
    return {};
}

std::string setEncoding(CommandLine& cl, std::string_view name, std::string value) {
    if (cl.encoding) {
        return std::string(name) + " is given twice";
    }
    std::string lower = value;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
    if (lower == "utf-8" || lower == "utf8") {
        cl.encoding = TextEncoding::utf8;
    } else if (lower == "gb18030" || lower == "gbk") {
        cl.encoding = TextEncoding::gb18030;
    } else {
        return std::string(name) + ": unknown encoding " + screencalc::quoted(value) +
               " (use utf-8 or gb18030)";
    }
    return {};
}

std::string setRoomValue(CommandLine& cl, std::string_view name, std::string value) {
    if (cl.firstRoomValue.empty()) {
        cl.firstRoomValue = name;
    }
    return setOnce(*roomValue(cl.roomTexts, name), name, std::move(value));
}

struct CommandOption {
    std::string_view name;
    bool takesValue;
    Apply apply;
};

constexpr auto options = std::to_array<CommandOption>({
    {"--help", false, [](CommandLine& cl, auto, auto) { return cl.help = true, std::string(); }},
    {"-h", false, [](CommandLine& cl, auto, auto) { return cl.help = true, std::string(); }},
    {"--version", false,
     [](CommandLine& cl, auto, auto) { return cl.version = true, std::string(); }},
    {"--json", false, [](CommandLine& cl, auto, auto) { return cl.json = true, std::string(); }},
    {"--quote", false, [](CommandLine& cl, auto, auto) { return cl.quote = true, std::string(); }},
    {"--batch", false, [](CommandLine& cl, auto, auto) { return cl.batch = true, std::string(); }},
    {"--ratio", true,
     [](CommandLine& cl, auto name, auto value) { return setOnce(cl.ratio, name, value); }},
    {"--frame", true,
     [](CommandLine& cl, auto name, auto value) { return setOnce(cl.frame, name, value); }},
    {"--diagonal", true, setEntry},
    {"--width", true, setEntry},
    {"--height", true, setEntry},
    {"--room", false, [](CommandLine& cl, auto, auto) { return cl.room = true, std::string(); }},
    {"--farthest", true, setRoomValue},
    {"--closest", true, setRoomValue},
    {"--content", true, setRoomValue},
    {"--element", true, setRoomValue},
    {"--lines", true, setRoomValue},
    {"--encoding", true, setEncoding},
    {"--eye", true, setRoomValue},
    {"--edge", true, setRoomValue},
    {"--ceiling", true, setRoomValue},
    {"--throw", true, setRoomValue},
});

// Dashes that documents and chats make of "--", and the full-width hyphen of
// a Chinese input method.
bool startsWithDashLookAlike(std::string_view arg) {
    for (const std::string_view dash : {"\u2010", "\u2011", "\u2012", "\u2013", "\u2014", "\u2015",
                                        "\u2212", "\uFE63", "\uFF0D"}) {
        if (arg.starts_with(dash)) {
            return true;
        }
    }
    return false;
}

// "--batch" for "—batch": the word after its dashes, whatever they were.
std::string withAsciiHyphens(std::string_view arg) {
    while (startsWithDashLookAlike(arg) || arg.starts_with('-')) {
        arg.remove_prefix(arg.front() == '-' ? 1 : 3); // each look-alike is 3 bytes of UTF-8
    }
    return "--" + std::string(arg);
}

CommandLine parse(const std::vector<std::string>& args) {
    CommandLine cl;
    // The first word that is not understood is the one to name.
    const auto fail = [&](std::size_t at, std::string message) {
        if (cl.error.empty() || at < cl.errorAt) {
            cl.error = std::move(message);
            cl.errorAt = at;
        }
    };
    std::vector<std::size_t> words; // the arguments that are no options
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (optionsEnded || arg == "-" || !arg.starts_with("-")) {
            if (!optionsEnded && startsWithDashLookAlike(arg)) {
                fail(i, "unknown option " + quoted(arg) +
                            ": options start with two ASCII hyphens, as in " +
                            screencalc::quoted(withAsciiHyphens(arg)));
            } else {
                words.push_back(i);
            }
            continue;
        }
        if (arg == "--") { // what follows is FILE, even when it starts with -
            optionsEnded = true;
            continue;
        }
        const std::size_t eq = arg.starts_with("--") ? arg.find('=') : std::string_view::npos;
        const std::string_view name = arg.substr(0, eq);
        const auto option = std::find_if(options.begin(), options.end(),
                                         [&](const CommandOption& o) { return o.name == name; });
        if (option == options.end()) {
            fail(i, "unknown option " + quoted(arg));
            continue;
        }
        std::string value;
        const std::size_t at = i;
        if (eq != std::string_view::npos) {
            if (!option->takesValue) {
                fail(i,
                     std::string(name) + " takes no value" +
                         (name == "--batch" ? "; FILE follows it as an argument of its own" : ""));
                continue;
            }
            value = arg.substr(eq + 1);
        } else if (option->takesValue) {
            if (i + 1 >= args.size() || args[i + 1].starts_with("--")) {
                fail(i, std::string(name) + " needs a value");
                continue;
            }
            value = args[++i]; // taken as it is, even a "-5"
        }
        if (std::string error = option->apply(cl, name, std::move(value)); !error.empty()) {
            fail(at, std::move(error));
        }
    }
    // A batch's FILE is its first word; any other word is not understood.
    const std::size_t fileWords = cl.batch ? 1 : 0;
    if (words.size() > fileWords) {
        fail(words[fileWords], "unexpected argument " + screencalc::quoted(args[words[fileWords]]));
    }
    if (cl.batch && !words.empty()) {
        cl.file = args[words[0]];
    }
    return cl;
}

struct UsageError {
    std::string message;
    bool pointToHelp = true;
};

// What makes the command line wrong whatever else it asks for, --help and
// --version included. Fills in the selection it names.
std::optional<UsageError> usageErrorOf(const CommandLine& cl, Selection& chosen) {
    if (!cl.error.empty()) {
        return UsageError{cl.error};
    }
    if (cl.batch &&
        (cl.entry != nullptr || cl.ratio || cl.frame || cl.room || !cl.firstRoomValue.empty())) {
        const std::string_view flag = cl.entry != nullptr ? cl.entry->flag
                                      : cl.ratio          ? "--ratio"
                                      : cl.frame          ? "--frame"
                                      : cl.room           ? "--room"
                                                          : std::string_view(cl.firstRoomValue);
        return UsageError{std::string(flag) + " cannot be combined with --batch"};
    }
    if (cl.quote && (cl.json || cl.batch || cl.room)) {
        return UsageError{std::string(cl.json    ? "--json"
                                      : cl.batch ? "--batch"
                                                 : "--room") +
                          " cannot be combined with --quote"};
    }
    if (cl.room && cl.entry != nullptr && cl.entry->flag != "--diagonal") {
        return UsageError{std::string(cl.entry->flag) + " cannot be combined with --room"};
    }
    if (!cl.room && !cl.batch && !cl.firstRoomValue.empty()) {
        return UsageError{cl.firstRoomValue + " needs --room"};
    }
    if (!cl.batch && cl.encoding) {
        return UsageError{"--encoding needs --batch"};
    }
    chosen = selectionNamed(cl.ratio, cl.frame);
    if (!chosen.error.empty()) {
        return UsageError{"--" + std::string(chosen.errorIn) + ": " + chosen.error, false};
    }
    return std::nullopt;
}

int runBatchCommand(const CommandLine& cl, std::istream& in, std::ostream& out, std::ostream& err,
                    StandardStreams streams) {
    const BatchFormat format{cl.json, streams.outputIsTerminal,
                             cl.encoding.value_or(TextEncoding::guess)};
    const bool fromStandardInput = !cl.file || *cl.file == "-";
    const std::string source = fromStandardInput ? "standard input" : screencalc::quoted(*cl.file);
    for (const auto& [written, what] :
         {std::pair{Written::results, "results"}, std::pair{Written::messages, "messages"}}) {
        if (streams.own && isWrittenFile(fromStandardInput ? nullptr : &*cl.file, written)) {
            writeAll(err, "screencalc: cannot read " + source + ": it is the file the " + what +
                              " are written to\n");
            return exitUsage;
        }
    }
    if (fromStandardInput) {
        return runBatch(in, source, format, out, err);
    }
    errno = 0;
    std::ifstream file(pathOf(*cl.file), std::ios::binary);
    if (!file) {
        writeAll(err, "screencalc: cannot read " + source + ": " + reason(errno) + "\n");
        return exitUsage;
    }
    return runBatch(file, source, format, out, err);
}

int runSingle(const CommandLine& cl, const Selection& chosen, std::ostream& out,
              std::ostream& err) {
    if (cl.room) {
        calc::RoomTexts room = cl.roomTexts;
        if (cl.entry != nullptr) { // --diagonal: which seats suit it
            room[static_cast<std::size_t>(calc::RoomField::diagonal)] = cl.text;
        }
        return runRoom(room, cl.ratio, cl.frame, cl.json, out, err);
    }
    if (cl.entry == nullptr) {
        reportUsage(err, "give one of " + entryFlags());
        return exitUsage;
    }
    const Calculation c = calculate(*cl.entry, validUtf8(cl.text), chosen, "--");
    const std::string where = "screencalc: " + std::string(cl.entry->flag) + ": ";
    if (!c.ok) {
        writeAll(err, where + c.error + "\n");
        return exitFailed;
    }
    for (const std::string& notice : c.notices) {
        writeAll(err, "screencalc: " + notice + "\n");
    }
    std::string result;
    if (cl.quote) {
        result = calc::quoteText(chosen.ratio, c.texts);
    } else if (cl.json) {
        result += '{';
        appendJsonResults(result, c);
        result += "}\n";
    } else {
        result = tableText(c.texts);
    }
    return emit(out, err, result) ? exitComputed : exitFailed;
}

} // namespace

int runScreencalc(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                  std::ostream& err, StandardStreams streams) {
    const CommandLine cl = parse(args);
    Selection chosen;
    if (const auto error = usageErrorOf(cl, chosen)) {
        reportUsage(err, error->message, error->pointToHelp);
        return exitUsage;
    }
    if (cl.help) {
        return emit(out, err, usageText()) ? exitComputed : exitFailed;
    }
    if (cl.version) {
        return emit(out, err, "screencalc " + std::string(build::shownVersion) + "\n")
                   ? exitComputed
                   : exitFailed;
    }
    return cl.batch ? runBatchCommand(cl, in, out, err, streams) : runSingle(cl, chosen, out, err);
}

} // namespace screencalc
