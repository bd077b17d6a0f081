// The coordinate file vanishes, is held by another program, is read-only or
// denied to us: each command reports a typed error, leaves the window model as
// the rules say (Refresh: unchanged; Clear: list already empty) and never
// changes or creates the file.
#include "command_outcome.h"
#include "coordinate_file.h"
#include "entry_list.h"
#include "file_bytes.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace velmora {
namespace {

using testing::FileBytes;
using testing::Outcome;
using testing::RunCommand;
using testing::TempFolder;

using testing::TwoEntries;
using testing::TwoGroups;

WindowModel EarlierModel() {
    return {L"one", L"two", L"three", L"old list", false};
}

// What takes the file's place after the existence test has found it.
struct VanishCase {
    const char* name;
    void (*vanish)(const std::filesystem::path& file);
    Outcome refresh; // the import then stops with this
    Outcome clear;   // the truncation then stops with this
};

void PrintTo(const VanishCase& c, std::ostream* out) {
    *out << c.name;
}

class VanishingFileFaults : public ::testing::TestWithParam<VanishCase> {};

TEST_P(VanishingFileFaults, ImportStopsAndTheListStays) {
    TempFolder folder;
    folder.WriteCoordinateFile(TwoGroups);
    WindowModel model = EarlierModel();
    FileSlot slot;
    const Outcome outcome = RunCommand([&] {
        return Refresh(folder.programFolder(), model, slot, [&](const std::wstring& path) {
            GetParam().vanish(folder.coordinateFile());
            ImportEntries(path, model, slot);
        });
    });
    EXPECT_EQ(outcome, GetParam().refresh);
    EXPECT_EQ(model.Text4, L"old list");
    EXPECT_EQ(model.Text1 + model.Text2 + model.Text3, L"onetwothree");
    EXPECT_FALSE(slot.occupied());
}

// Clear tests existence first and then truncates; what is found by then is
// neither created nor changed.
TEST_P(VanishingFileFaults, TruncationStopsAndCreatesNothing) {
    TempFolder folder;
    folder.WriteCoordinateFile(TwoGroups);
    GetParam().vanish(folder.coordinateFile());
    const bool wasFolder = std::filesystem::is_directory(folder.coordinateFile());
    FileSlot slot;
    const Outcome outcome = RunCommand([&] {
        TruncateCoordinateFile(CoordinateFilePath(folder.programFolder()), slot);
        return Status::Done;
    });
    EXPECT_EQ(outcome, GetParam().clear);
    EXPECT_EQ(std::filesystem::exists(folder.coordinateFile()), wasFolder);
    EXPECT_EQ(std::filesystem::is_directory(folder.coordinateFile()), wasFolder);
    EXPECT_FALSE(slot.occupied());
}

void Remove(const std::filesystem::path& file) {
    std::filesystem::remove(file);
}
void ReplaceByFolder(const std::filesystem::path& file) {
    std::filesystem::remove(file);
    std::filesystem::create_directory(file);
}

// Linux opens a folder for reading and fails at the read; Windows refuses the open.
#ifdef _WIN32
const Outcome FolderRead = Outcome::Stopped(ErrorKind::OpenFailed);
#else
const Outcome FolderRead = Outcome::Stopped(ErrorKind::ReadFailed);
#endif

INSTANTIATE_TEST_SUITE_P(
    Vanished, VanishingFileFaults,
    ::testing::Values(VanishCase{"Removed", Remove, Outcome::Stopped(ErrorKind::OpenFailed),
                                 Outcome::Stopped(ErrorKind::TruncateFailed)},
                      VanishCase{"ReplacedByAFolder", ReplaceByFolder, FolderRead,
                                 Outcome::Stopped(ErrorKind::TruncateFailed)}),
    [](const auto& test) { return test.param.name; });

// What Refresh and Clear give while the file is in some state that another
// program or the user has put it in.
struct AccessCase {
    const char* name;
    Outcome refresh;
    std::wstring_view listAfterRefresh;
    Outcome clear;
};

void PrintTo(const AccessCase& c, std::ostream* out) {
    *out << c.name;
}

const Outcome Done = Outcome::Finished(Status::Done);
const Outcome OpenFailed = Outcome::Stopped(ErrorKind::OpenFailed);
const Outcome TruncateFailed = Outcome::Stopped(ErrorKind::TruncateFailed);

// Puts the file into the case's state for as long as it lives.
class FileState {
  public:
    FileState(const char* name, const std::filesystem::path& file);
    FileState(const FileState&) = delete;
    FileState& operator=(const FileState&) = delete;
    ~FileState();

    // Set where the system does not enforce the state for this user.
    const char* skipReason() const { return skipReason_; }

  private:
    std::filesystem::path file_;
    const char* skipReason_ = nullptr;
#ifdef _WIN32
    HANDLE other_ = INVALID_HANDLE_VALUE;
#endif
};

class AccessFaults : public ::testing::TestWithParam<AccessCase> {
  protected:
    void SetUp() override {
#ifndef _WIN32
        if (geteuid() == 0)
            GTEST_SKIP() << "root ignores file permissions";
#endif
    }
};

TEST_P(AccessFaults, RefreshAndClearReportTheFaultAndKeepTheFile) {
    const AccessCase& c = GetParam();
    TempFolder folder;
    folder.WriteCoordinateFile(TwoGroups);
    WindowModel model = EarlierModel();
    FileSlot slot;
    {
        FileState state(c.name, folder.coordinateFile());
        if (state.skipReason())
            GTEST_SKIP() << state.skipReason();
        EXPECT_EQ(RunCommand([&] { return Refresh(folder.programFolder(), model, slot); }),
                  c.refresh);
        EXPECT_EQ(model.Text4, c.listAfterRefresh);
        EXPECT_EQ(RunCommand([&] { return Clear(folder.programFolder(), model, slot); }), c.clear);
        EXPECT_EQ(model.Text4, L"");
        EXPECT_FALSE(slot.occupied());
    }
    EXPECT_TRUE(std::filesystem::exists(folder.coordinateFile()));
    const std::string expected = c.clear == Done ? "" : std::string(TwoGroups);
    EXPECT_EQ(FileBytes(folder.coordinateFile()), expected);
}

#ifdef _WIN32
FileState::FileState(const char* name, const std::filesystem::path& file) : file_(file) {
    const std::string_view state = name;
    // Another program's handle, with the access and sharing it opened the file with.
    const auto hold = [&](DWORD access, DWORD share) {
        other_ = CreateFileW(file.c_str(), access, share, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
        if (other_ == INVALID_HANDLE_VALUE)
            ADD_FAILURE() << "cannot hold the file, error " << GetLastError();
    };
    if (state == "HeldWithoutSharing")
        hold(GENERIC_READ, 0);
    else if (state == "HeldForWritingSharingReads")
        hold(GENERIC_WRITE, FILE_SHARE_READ);
    else if (state == "HeldSharingReadsAndWrites")
        hold(GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);
    else if (state == "ReadOnly") {
        SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY);
        // Wine maps the attribute to Unix permissions, which root ignores.
        const HANDLE probe = CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (probe != INVALID_HANDLE_VALUE) {
            CloseHandle(probe);
            skipReason_ = "this user may write read-only files (Wine run as root)";
        }
    } else if (state == "DeletePending") {
        // Deleted while another program still has it open: the name stays, and
        // every new open is denied access until that program lets go.
        hold(GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
        if (!DeleteFileW(file.c_str()))
            ADD_FAILURE() << "cannot delete the held file, error " << GetLastError();
    }
}

FileState::~FileState() {
    if (other_ != INVALID_HANDLE_VALUE)
        CloseHandle(other_);
    SetFileAttributesW(file_.c_str(), FILE_ATTRIBUTE_NORMAL);
}
#else
FileState::FileState(const char* name, const std::filesystem::path& file) : file_(file) {
    using std::filesystem::perms;
    const std::string_view state = name;
    if (state == "ReadOnly")
        std::filesystem::permissions(file, perms::owner_read | perms::group_read);
    else if (state == "AccessDenied")
        std::filesystem::permissions(file, perms::none);
}

FileState::~FileState() {
    std::filesystem::permissions(file_, std::filesystem::perms::owner_read |
                                            std::filesystem::perms::owner_write);
}
#endif

#ifdef _WIN32
// Our reads share everything, so only a handle that refuses to share reading
// locks Refresh out; the truncation needs the others to share writing.
INSTANTIATE_TEST_SUITE_P(
    States, AccessFaults,
    ::testing::Values(AccessCase{"HeldWithoutSharing", OpenFailed, L"old list", TruncateFailed},
                      AccessCase{"HeldForWritingSharingReads", Done, TwoEntries, TruncateFailed},
                      AccessCase{"HeldSharingReadsAndWrites", Done, TwoEntries, Done},
                      AccessCase{"ReadOnly", Done, TwoEntries, TruncateFailed}),
    [](const auto& test) { return test.param.name; });

// Deleted by another program that still holds it open. Windows then reports
// the file missing, or denies every open until that program lets go; Wine
// still lets it be read and emptied. Either way nothing fails silently, and
// the file is gone for good once the other program closes it.
TEST(AccessFaults, DeletedWhileHeldStaysDeleted) {
    TempFolder folder;
    folder.WriteCoordinateFile(TwoGroups);
    WindowModel model = EarlierModel();
    FileSlot slot;
    {
        FileState state("DeletePending", folder.coordinateFile());
        const Outcome refresh =
            RunCommand([&] { return Refresh(folder.programFolder(), model, slot); });
        if (refresh == Done)
            EXPECT_EQ(model.Text4, TwoEntries);
        else
            EXPECT_EQ(model.Text4, L"old list") << refresh;
        EXPECT_TRUE(refresh == Done || refresh == OpenFailed ||
                    refresh == Outcome::Finished(Status::FileMissing))
            << refresh;
        const Outcome clear =
            RunCommand([&] { return Clear(folder.programFolder(), model, slot); });
        EXPECT_TRUE(clear == Done || clear == TruncateFailed ||
                    clear == Outcome::Finished(Status::FileMissing))
            << clear;
        EXPECT_EQ(model.Text4, L"");
        EXPECT_FALSE(slot.occupied());
    }
    EXPECT_FALSE(std::filesystem::exists(folder.coordinateFile())) << "the deletion was undone";
}
#else
// Permissions are all Linux offers; they stop only a user who is not root.
INSTANTIATE_TEST_SUITE_P(States, AccessFaults,
                         ::testing::Values(AccessCase{"ReadOnly", Done, TwoEntries, TruncateFailed},
                                           AccessCase{"AccessDenied", OpenFailed, L"old list",
                                                      TruncateFailed}),
                         [](const auto& test) { return test.param.name; });
#endif

} // namespace
} // namespace velmora
