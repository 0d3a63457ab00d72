#include "cli/screencalc_cli.h"

#include "buildinfo.h"
#include "cli/batch.h"
#include "cli/calculation.h"
#include "cli/output.h"
#include "cli/room.h"
#include "cli/text.h"

#include <array>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <optional>
#include <ostream>
#include <string_view>
#include <utility>

namespace screencalc {

namespace {

std::string usageText() {
    const std::string frames = frameList("|", "|");
    return "Usage: screencalc (--diagonal TEXT | --width TEXT | --height TEXT)\n"
           "                  [--ratio 16:9|4:3] [--frame " +
           frames +
           "] [--json]\n"
           "       screencalc --room --farthest MM [--closest MM]\n"
           "                  [--content cinema|presentation|detail] [--element PCT]\n"
           "                  [--lines N] [--ratio 16:9|4:3] [--frame " +
           frames +
           "] [--json]\n"
           "       screencalc --batch [--json] [FILE]\n"
           "       screencalc --help | --version\n"
           "\n"
           "Computes a projection screen as the calculator window does: the ratio and\n"
           "the frame are selected, then TEXT is pasted into the diagonal (inches),\n"
           "width or height (mm) field, cut to the field's 6 or 9 characters.\n"
           "\n"
           "  --json    one JSON object with the six texts exactly as the window shows them\n"
           "  --room    which screen a room needs, from the viewers' distances in mm\n"
           "            (eyes to screen; no --closest: one row): the smallest image the\n"
           "            farthest viewer needs, the recommended one and the largest the\n"
           "            closest viewer allows, then the window's texts for the smallest,\n"
           "            the nearest-recommended and the largest whole-inch diagonal.\n"
           "            cinema (default): SMPTE 30 degrees wide from the farthest seat, THX\n"
           "            36 recommended, 40 from the closest; presentation: DISCAS, elements\n"
           "            of --element % of the image height (4) legible; detail: DISCAS,\n"
           "            --lines (1080) pixels high, one arc-minute each. 4:3 comes with the\n"
           "            80 mm frame, the only one with 4:3 sizes.\n"
           "  --batch   CSV rows entry,text,ratio,frame from FILE or standard input\n"
           "            (entry: diagonal, width, height or room; a room's text is\n"
           "            farthest=MM closest=MM content=... element=PCT lines=N and its\n"
           "            row gets the recommended diagonal; empty ratio or frame: 16:9, 12);\n"
           "            blank lines and lines starting with # are skipped; in CSV output an\n"
           "            echoed cell starting with = + - @ gets a ' so that no spreadsheet\n"
           "            runs it as a formula\n"
           "\n"
           "Exit status: 0 all computed, 1 a calculation (or batch row) failed, a room\n"
           "has no answer or the results could not be written, 2 usage error or\n"
           "unreadable FILE.\n";
}

struct CommandLine {
    bool help = false;
    bool version = false;
    bool json = false;
    bool batch = false;
    bool room = false;
    RoomTexts roomTexts;
    std::string firstRoomValue; // the first of --farthest, --closest, ... given
    const EntryKind* entry = nullptr;
    std::string text;
    std::optional<std::string> ratio;
    std::optional<std::string> frame;
    std::optional<std::string> file;
    std::string error; // the first usage error
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

std::string setRoomValue(CommandLine& cl, std::string_view name, std::string value) {
    if (cl.firstRoomValue.empty()) {
        cl.firstRoomValue = name;
    }
    return setOnce(*roomValue(cl.roomTexts, name), name, std::move(value));
}

struct OptionSpec {
    std::string_view name;
    bool takesValue;
    Apply apply;
};

constexpr std::array<OptionSpec, 16> options{{
    {"--help", false, [](CommandLine& cl, auto, auto) { return cl.help = true, std::string(); }},
    {"-h", false, [](CommandLine& cl, auto, auto) { return cl.help = true, std::string(); }},
    {"--version", false,
     [](CommandLine& cl, auto, auto) { return cl.version = true, std::string(); }},
    {"--json", false, [](CommandLine& cl, auto, auto) { return cl.json = true, std::string(); }},
    {"--batch", false, [](CommandLine& cl, auto, auto) { return cl.batch = true, std::string(); }},
    {"--ratio", true,
     [](CommandLine& cl, auto name, auto value) { return setOnce(cl.ratio, name, value); }},
    {"--frame", true,
     [](CommandLine& cl, auto name, auto value) { return setOnce(cl.frame, name, value); }},
    {"--diagonal", true, nullptr},
    {"--width", true, nullptr},
    {"--height", true, nullptr},
    {"--room", false, [](CommandLine& cl, auto, auto) { return cl.room = true, std::string(); }},
    {"--farthest", true, setRoomValue},
    {"--closest", true, setRoomValue},
    {"--content", true, setRoomValue},
    {"--element", true, setRoomValue},
    {"--lines", true, setRoomValue},
}};

// --diagonal, --width and --height: one of them, once.
std::string setEntry(CommandLine& cl, std::string_view name, std::string value) {
    if (cl.entry != nullptr) {
        return std::string(name) + ": give only one of --diagonal, --width or --height";
    }
    for (const EntryKind& k : entryKinds) {
        if (k.flag == name) {
            cl.entry = &k;
        }
    }
    cl.text = std::move(value);
    return {};
}

CommandLine parse(const std::vector<std::string>& args) {
    CommandLine cl;
    const auto fail = [&](std::string message) {
        if (cl.error.empty()) {
            cl.error = std::move(message);
        }
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg == "-" || !arg.starts_with("-")) {
            if (cl.file) {
                fail("unexpected argument " + quoted(arg));
            } else {
                cl.file = arg;
            }
            continue;
        }
        const std::size_t eq = arg.starts_with("--") ? arg.find('=') : std::string_view::npos;
        const std::string_view name = arg.substr(0, eq);
        const OptionSpec* spec = nullptr;
        for (const OptionSpec& o : options) {
            if (o.name == name && (o.takesValue || eq == std::string_view::npos)) {
                spec = &o;
            }
        }
        if (spec == nullptr) {
            fail("unknown option " + quoted(arg));
            continue;
        }
        std::string value;
        if (eq != std::string_view::npos) {
            value = arg.substr(eq + 1);
        } else if (spec->takesValue) {
            if (i + 1 < args.size() && !args[i + 1].starts_with("--")) {
                value = args[++i]; // taken as it is, even a "-5"
            } else {
                fail(std::string(name) + " needs a value");
                continue;
            }
        }
        std::string error = spec->apply != nullptr ? spec->apply(cl, name, std::move(value))
                                                   : setEntry(cl, name, std::move(value));
        if (!error.empty()) {
            fail(std::move(error));
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

int runBatchCommand(const CommandLine& cl, std::istream& in, std::ostream& out, std::ostream& err) {
    if (cl.entry != nullptr || cl.ratio || cl.frame || cl.room || !cl.firstRoomValue.empty()) {
        const std::string_view flag = cl.entry != nullptr ? cl.entry->flag
                                      : cl.ratio          ? "--ratio"
                                      : cl.frame          ? "--frame"
                                      : cl.room           ? "--room"
                                                          : std::string_view(cl.firstRoomValue);
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

int runSingle(const CommandLine& cl, std::ostream& out, std::ostream& err) {
    if (cl.file) {
        reportUsage(err, "unexpected argument " + screencalc::quoted(*cl.file));
        return exitUsage;
    }
    if (cl.room && cl.entry != nullptr) {
        reportUsage(err, std::string(cl.entry->flag) + " cannot be combined with --room");
        return exitUsage;
    }
    if (cl.room) {
        return runRoom(cl.roomTexts, cl.ratio, cl.frame, cl.json, out, err);
    }
    if (!cl.firstRoomValue.empty()) {
        reportUsage(err, cl.firstRoomValue + " needs --room");
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

} // namespace

int runScreencalc(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                  std::ostream& err) {
    const CommandLine cl = parse(args);
    if (cl.help) {
        return emit(out, err, usageText()) ? exitComputed : exitFailed;
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
    return cl.batch ? runBatchCommand(cl, in, out, err) : runSingle(cl, out, err);
}

} // namespace screencalc
