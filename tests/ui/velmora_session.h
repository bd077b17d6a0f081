#pragma once

#include "form_driver.h"
#include "program_folder.h"
#include "velmora_process.h"

#include <string_view>

namespace velmora::ui {

// One run of the program for one test: a fresh program folder, the running
// velmora.exe in it, and a driver for its window. Members go in reverse order:
// the process is killed before its folder is removed.
struct VelmoraSession {
    explicit VelmoraSession(std::wstring_view folderName = L"Velmora")
        : folder(folderName), process(folder.Executable(), folder.path().parent_path()),
          form(process.WaitForMainWindow()) {}

    ProgramFolder folder;
    VelmoraProcess process;
    FormDriver form;
};

} // namespace velmora::ui
