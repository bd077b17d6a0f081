// Whatever bytes the host's script (or an editor, or a crash) leaves in the
// coordinate file, Refresh ends with a list or a typed stop, and never changes
// the file.
#include "command_outcome.h"
#include "coordinate_file.h"
#include "entry_list.h"
#include "file_bytes.h"
#include "platform.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <string>

namespace velmora {
namespace {

using testing::FileBytes;
using testing::Outcome;
using testing::RunCommand;
using testing::TempFolder;
using namespace std::string_literals;

using testing::TwoEntries;
using testing::TwoGroups;

// 100 MB without a line break: one line, so the file ends inside its first group.
// One pass over it; a reader that rescans per line or per byte would never end.
std::string HundredMegabytesWithoutLineBreak() {
    std::string bytes(100u << 20, 'x');
    for (std::size_t i = 7; i < bytes.size(); i += 97)
        bytes[i] = '=';
    for (std::size_t i = 50; i < bytes.size(); i += 4099)
        bytes[i] = '\n'; // a lone LF is no line break
    return bytes;
}

// Every byte value but CR (the line end) in every place of a group: the header,
// the key, the value, and after a second "=". Group b is for byte b.
std::string EveryByteInEveryPlace() {
    std::string bytes;
    for (int value = 0; value < 256; ++value) {
        const char b = static_cast<char>(value);
        if (b == '\r')
            continue;
        bytes += "["s + b + "]\r\n";
        bytes += "x"s + b + "=" + b + "\r\n";
        bytes += "y="s + b + b + "=" + b + "\r\n";
        bytes += "z="s + b + "\r\n";
    }
    return bytes;
}

// Group b gives b, bb, b; a "=" cuts every value short, leaving it empty.
std::wstring EveryByteEntries() {
    std::wstring list;
    for (int value = 0; value < 256; ++value) {
        const char b = static_cast<char>(value);
        if (b == '\r')
            continue;
        const std::wstring v = b == '=' ? L"" : platform::DecodeAnsi(std::string(1, b));
        AppendEntry(list, v + L", " + v + v + L", " + v);
    }
    return list;
}

struct ContentCase {
    const char* name;
    std::string (*file)();
    bool scaled;
    Outcome outcome;
    std::wstring (*list)(); // Text4 afterwards
};

void PrintTo(const ContentCase& c, std::ostream* out) {
    *out << c.name;
}

class ContentFaults : public ::testing::TestWithParam<ContentCase> {};

TEST_P(ContentFaults, EndsWithAListOrATypedStopAndLeavesTheFileAlone) {
    const ContentCase& c = GetParam();
    TempFolder folder;
    const std::string bytes = c.file();
    folder.WriteCoordinateFile(bytes);
    WindowModel model{L"one", L"two", L"three", L"old list", c.scaled};
    FileSlot slot;

    EXPECT_EQ(RunCommand([&] { return Refresh(folder.programFolder(), model, slot); }), c.outcome);
    EXPECT_EQ(model.Text4, c.list());
    EXPECT_FALSE(slot.occupied());
    EXPECT_TRUE(FileBytes(folder.coordinateFile()) == bytes) << "the file was changed";
}

const Outcome Done = Outcome::Finished(Status::Done);
Outcome PastEnd(std::size_t line) {
    return Outcome::Stopped(ErrorKind::InputPastEnd, line);
}

INSTANTIATE_TEST_SUITE_P(
    Contents, ContentFaults,
    ::testing::Values(
        // The host's script is writing while we read: the last group is cut short.
        ContentCase{"HalfWrittenValueLine",
                    [] { return std::string(TwoGroups) + "[r]\r\nx=7\r\ny="; }, false, PastEnd(12),
                    [] { return std::wstring(TwoEntries); }},
        ContentCase{"HalfWrittenAfterALineEnd",
                    [] { return std::string(TwoGroups) + "[r]\r\nx=7\r\ny=8\r"; }, true,
                    PastEnd(12), [] { return L"16, 32, 48\r\n64, 80, 96"s; }},
        ContentCase{"OnlyTheHeaderWritten", [] { return std::string(TwoGroups) + "[r]"; }, false,
                    PastEnd(10), [] { return std::wstring(TwoEntries); }},
        ContentCase{"CarriageReturnWrittenLineFeedNot",
                    [] { return std::string(TwoGroups.substr(0, TwoGroups.size() - 1)); }, false,
                    Done, [] { return std::wstring(TwoEntries); }},
        ContentCase{"HundredMegabytesWithoutLineBreak", HundredMegabytesWithoutLineBreak, false,
                    PastEnd(2), [] { return L""s; }},
        ContentCase{"NulBytesInEveryPlace",
                    [] { return "\0[p]\0\r\n\0x\0=\0\0\r\ny=\0\r\nz=\0=\0"s; }, false, Done,
                    [] { return L"\0\0, \0, \0"s; }},
        ContentCase{"NulBytesOnly", [] { return std::string(4096, '\0'); }, false, PastEnd(2),
                    [] { return L""s; }},
        ContentCase{"NulValueWhenScaled", [] { return "[p]\r\nx=\0\r\ny=2\r\nz=3"s; }, true,
                    Outcome::Stopped(ErrorKind::TypeMismatch, 2), [] { return L""s; }},
        ContentCase{"EveryByteValue", EveryByteInEveryPlace, false, Done, EveryByteEntries},
        ContentCase{"EveryByteValueWhenScaled", EveryByteInEveryPlace, true,
                    Outcome::Stopped(ErrorKind::TypeMismatch, 2), [] { return L""s; }},
        ContentCase{"CarriageReturnInAValueEndsTheLine",
                    [] { return "[p]\r\nx=1\r2\r\ny=3\r\nz=4"s; }, false,
                    Outcome::Stopped(ErrorKind::SubscriptOutOfRange, 3), [] { return L""s; }}),
    [](const auto& test) { return test.param.name; });

// The script appends a group between the existence test and the open: the
// import reads the file as it then is.
TEST(ContentFaults, GroupAppendedBeforeTheOpenIsRead) {
    TempFolder folder;
    folder.WriteCoordinateFile(TwoGroups.substr(0, 20)); // the first group
    WindowModel model;
    FileSlot slot;
    EXPECT_EQ(Refresh(folder.programFolder(), model, slot,
                      [&](const std::wstring& path) {
                          folder.WriteCoordinateFile(TwoGroups);
                          ImportEntries(path, model, slot);
                      }),
              Status::Done);
    EXPECT_EQ(model.Text4, TwoEntries);
}

} // namespace
} // namespace velmora
