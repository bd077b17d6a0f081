#include "message_box.h"

#include "coordinate_error.h"
#include "platform.h"
#include "texts.h"

#include <new>

namespace velmora {

void ShowMessage(const MessageBoxFunction& messageBox, HWND owner, std::wstring_view text) {
    const std::wstring terminated(text);
    messageBox(owner, terminated.c_str(), ProgramTitle, MB_OK);
}

std::wstring FailureMessage(const std::exception_ptr& failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const CoordinateError& error) {
        return DescribeError(error);
    } catch (const platform::SystemError& error) {
        return error.message();
    } catch (const std::bad_alloc&) {
        return OutOfMemoryMessage;
    } catch (const std::exception& error) {
        const std::string what = error.what();
        return UnforeseenFailure + (L": " + std::wstring(what.begin(), what.end())) + L".";
    } catch (...) {
    }
    return UnforeseenFailure + std::wstring(L".");
}

} // namespace velmora
