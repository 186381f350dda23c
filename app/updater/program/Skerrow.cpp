// The database updater's entry: one window that rebuilds "QQWry.Dat" in the folder the updater
// is started in (the program starts it in its own working folder) and shows the result.

#include "app/updater/UpdateForm.h"
#include "framework/forms/Application.h"

int main() {
    Application()->Initialize();
    Application()->SetTitle("升级IP数据库");
    TUpdateForm* form = nullptr;
    Application()->CreateForm(form);
    Application()->Run();
    // The window goes now, while the window system and the screen it leaves are still there;
    // left to the application's own end it would outlive them.
    delete form;
    return 0;
}
