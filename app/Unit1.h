#pragma once
// TForm1: the Quillmere window. Its first page lists the machine's IPv4 endpoints in a grid
// (chosen by four radio buttons, refreshed, sorted by a header click, saved as text); its
// second page shows the facts of the IP database and starts its updater. The listings, the
// sort and the saved text are the engine's (Listing.h, GridSort.h, ListWriter.h): the window
// is their host.

#include "app/GridSort.h"
#include "app/Listing.h"
#include "app/StringGridModel.h"
#include "framework/forms/Form.h"

#include <memory>
#include <string>

class TButton;
class TEdit;
class TMemo;
class TPageControl;
class TPanel;
class TRadioButton;
class TSaveDialog;
class TSkinData;
class TStatusBar;
class TStringGrid;
class TTabSheet;

// The program's version, shown in the caption and sent to the update page.
constexpr const char* ProgramVersion = "1.0.20100523";

class TForm1 : public TForm, private ListingHost {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    explicit TForm1(TComponent* owner);
    ~TForm1() override;

    TPageControl* PageControl1;
    TTabSheet* TabSheet1;
    TPanel* Panel1;
    TRadioButton* Radio_TcpUDP;
    TRadioButton* Radio_Tcp;
    TRadioButton* Radio_UDP;
    TRadioButton* Radio_Remotetcp;
    TButton* Button_Refresh;
    TButton* Button2;
    TButton* Button1;
    TStringGrid* StringGrid1;
    TPanel* Panel2;
    TButton* Button_TCPUDP;
    TButton* Button_TCP;
    TButton* Button_UDP;
    TButton* Button_Remotetcp;
    TEdit* Edit_Ver;
    TTabSheet* TabSheet2;
    TMemo* Memo1;
    TButton* Button_IPVer;
    TButton* Button3;
    TStatusBar* StatusBar1;
    TSaveDialog* SaveDialog1;
    // The window's skin: the skin compiled into the program, worn from the first activation.
    TSkinData* SkinData1;
    // Where "升级IP数据库" looks for the updater: beside the program's executable.
    std::string UpdaterFile;

    void FormCreate(TObject* sender);
    void Button_RefreshClick(TObject* sender);
    void Button_TCPUDPClick(TObject* sender);
    void Button_TCPClick(TObject* sender);
    void Button_UDPClick(TObject* sender);
    void Button_RemotetcpClick(TObject* sender);
    void StringGrid1MouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void StringGrid1SelectCell(TObject* sender, int col, int row, bool& canSelect);
    void Button2Click(TObject* sender);
    void Button1Click(TObject* sender);
    void Button_IPVerClick(TObject* sender);
    void Button3Click(TObject* sender);

    // The column of the last ascending header sort, or NoSortColumn.
    int LastSortColumn() const { return m_lastSortColumn; }
    // The text of a status panel.
    std::string StatusText(int panel) const;

private:
    void CreateSkinData();
    void CreateStatusBar();
    void CreatePages();
    void CreatePageOne(TWinControl* page);
    void CreatePageTwo(TWinControl* page);
    void CreateGrid(TWinControl* parent);
    void CreateCommandButtons(TWinControl* parent);
    void CreateListingButtons(TWinControl* parent);
    TButton* NewButton(TWinControl* parent, const std::string& name, const std::string& caption, int left,
                       int top, int width, int height);
    TRadioButton* NewRadio(TWinControl* parent, const std::string& name, const std::string& caption, int left,
                           int width);
    void RunView(ListingView view);

    // ListingHost
    GridModel& Grid() override { return *m_gridModel; }
    void SetStatusText(int panel, const std::string& text) override;
    void ShowWarning(const std::string& text, const std::string& caption) override;
    void ProcessMessages() override;

    std::unique_ptr<StringGridModel> m_gridModel;
    int m_lastSortColumn = NoSortColumn;
};
