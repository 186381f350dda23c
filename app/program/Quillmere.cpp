// The program's entry: one copy per user, the application titled "Quillmere", the main
// window, and the message loop until the window is closed.

#include "app/Unit1.h"
#include "framework/forms/Application.h"
#include "platform/base/KernelObject.h"
#include "platform/base/WinError.h"
#include "platform/sys/Mutex.h"

int main() {
    // The mutex is kept for the whole life of the program: holding it is what marks the
    // running copy.
    HANDLE instance = CreateMutexA(nullptr, TRUE, "Quillmere");
    if (!instance)
        return 0;
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(instance);
        return 0;
    }
    Application()->Initialize();
    Application()->SetTitle("Quillmere");
    TForm1* form = nullptr;
    Application()->CreateForm(form);
    Application()->Run();
    // The window goes now, while the window system and the screen it leaves are still there;
    // left to the application's own end it would outlive them.
    delete form;
    return 0;
}
