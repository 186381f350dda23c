#pragma once
// The demo's MDI form: a frame whose client holds document windows, with a menu to make and
// close them and a window menu (cascade, tile, arrange, the list of windows).

#include "framework/forms/Form.h"
#include "framework/menus/Menus.h"
#include "framework/stdctrls/Memo.h"

#include <string>

// A document window: a memo filling it.
class TMdiDemoChild : public TForm {
public:
    TMdiDemoChild(TComponent* owner, const std::string& caption, const std::string& text);

    TMemo* Memo1;
};

class TMdiDemoForm : public TForm {
public:
    explicit TMdiDemoForm(TComponent* owner);

    // Makes another document window, active and in front.
    TMdiDemoChild* NewChild();
    // "name=value" lines: how many windows, which is active and whether it is maximised.
    std::string StateReport() const;

    TMainMenu* MainMenu1;
    TMenuItem* FileMenu;
    TMenuItem* NewItem;
    TMenuItem* CloseItem;
    TMenuItem* WindowMenu1;
    TMenuItem* CascadeItem;
    TMenuItem* TileItem;
    TMenuItem* ArrangeItem;

private:
    int m_made = 0;
};
