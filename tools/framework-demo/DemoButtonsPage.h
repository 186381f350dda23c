#pragma once
// The demo form's page of glyph buttons, speed buttons, a radio group, a tab set, a media
// player and a frame placed on it. The demo form makes it; what is done with its controls shows
// in the form's status bar and in the demo's report.

#include "framework/buttons/BitBtn.h"
#include "framework/buttons/SpeedButton.h"
#include "framework/comctrls/PageControl.h"
#include "framework/extctrls/MediaPlayer.h"
#include "framework/extctrls/RadioGroup.h"
#include "framework/extctrls/TabSet.h"
#include "framework/forms/Frame.h"
#include "framework/stdctrls/Edits.h"
#include "framework/stdctrls/Panels.h"

#include <functional>
#include <string>

// A search box made once and placed on forms as often as wanted.
class TSearchFrame : public TFrame {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    explicit TSearchFrame(TComponent* owner);

    TEdit* SearchEdit;
    TCheckBox* MatchCaseBox;
    TBitBtn* FindButton;
};

class TDemoButtonsPage {
public:
    // Adds the page to `pages`; its components belong to `owner`. `showAction` tells the form's
    // status bar what was done.
    TDemoButtonsPage(TComponent* owner, TPageControl* pages,
                     std::function<void(const std::string&)> showAction);

    // "name=value" lines of what was done on the page.
    std::string StateReport() const;

    TTabSheet* Sheet;
    TPanel* ToolPanel;
    TSpeedButton* AlignLeftButton;
    TSpeedButton* AlignCenterButton;
    TSpeedButton* AlignRightButton;
    TSpeedButton* BoldButton;
    TBitBtn* OkButton;
    TBitBtn* CancelButton;
    TBitBtn* HelpButton;
    TBitBtn* RetryButton;
    TBitBtn* CloseButton;
    TRadioGroup* RadioGroup1;
    TPanel* NotebookPanel;
    TTabSet* TabSet1;
    TMediaPlayer* MediaPlayer1;
    TSearchFrame* SearchFrame1;

private:
    void BuildButtons(TComponent* owner);
    void BuildContainers(TComponent* owner);
    void MediaClicked(TMPBtnType button);

    std::function<void(const std::string&)> m_showAction;
    int m_bitButtonClicks = 0;
    std::string m_mediaClicks;
    std::string m_searches;
};
