#pragma once
// The date and time picker ("SysDateTimePick32"): a date or time shown in a format picture
// whose fields (day, month, year, hour...) are chosen with the mouse or the arrow keys and
// changed by the arrow keys, typed digits or an up-down control (DTS_UPDOWN); a button drops a
// month calendar down to choose the day; DTS_SHOWNONE adds a check box for "no date". The
// parent hears of every change (DTN_DATETIMECHANGE) and of the calendar opening and closing
// (DTN_DROPDOWN, DTN_CLOSEUP).

#include "platform/controls/common/datetime/CommCtrlDateTime.h"
#include "platform/controls/common/monthcal/DateFormat.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace platform {

class DateTimePicker {
public:
    explicit DateTimePicker(HWND window);
    ~DateTimePicker();
    DateTimePicker(const DateTimePicker&) = delete;
    DateTimePicker& operator=(const DateTimePicker&) = delete;

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Paint(HDC dc);
    // The dropped calendar's messages pass here first (DateTimePickerDropDown.cpp).
    std::optional<LRESULT> CalendarMessage(HWND calendar, UINT message, WPARAM wParam, LPARAM lParam);

private:
    DWORD Style() const { return static_cast<DWORD>(GetWindowLongW(m_window, GWL_STYLE)); }
    bool HasCheckBox() const { return (Style() & DTS_SHOWNONE) != 0; }
    bool HasUpDown() const { return (Style() & DTS_UPDOWN) != 0; }

    // Value and range (DateTimePicker.cpp).
    SYSTEMTIME Clamp(const SYSTEMTIME& value) const;
    // Takes a new value (and the check box state); tells the parent when either changed.
    void Change(const SYSTEMTIME& value, bool none);
    void NotifyChange();
    LRESULT GetTime(SYSTEMTIME* time) const;
    LRESULT SetTime(DWORD flag, const SYSTEMTIME* time);
    LRESULT GetRange(SYSTEMTIME* range) const;
    LRESULT SetRange(DWORD which, const SYSTEMTIME* range);
    void SetPicture(std::u16string picture, bool custom);
    std::u16string Text() const;

    // Fields: where they lie, which one is chosen, how it changes (DateTimePickerFields.cpp).
    RECT CheckBoxRect() const;
    RECT ButtonRect() const;
    RECT TextArea() const;
    // The rectangle of each part of the picture, in order.
    std::vector<RECT> PartRects() const;
    bool IsEditable(std::size_t part) const;
    // The editable part after (or before) the chosen one; the same one at either end.
    int NeighbourField(int from, bool forward) const;
    void ChooseField(int part);
    void StepField(int delta);
    void SetFieldToEnd(bool last);
    void TypeDigit(int digit);
    // Puts typed year digits into the value when the year field is left.
    void CommitTyping();
    std::u16string PartDisplay(std::size_t part) const;

    // Input (DateTimePicker.cpp).
    void OnButtonDown(POINT point);
    bool OnKeyDown(WPARAM key);
    void OnChar(WPARAM character);
    void PlaceUpDown();

    // The calendar (DateTimePickerDropDown.cpp).
    void DropDown();
    void CloseUp(bool accept);
    void AcceptCalendarDate();

    HWND m_window;
    HFONT m_font = nullptr;
    SYSTEMTIME m_value{};
    bool m_none = false; // DTS_SHOWNONE with the box cleared
    SYSTEMTIME m_min{};
    SYSTEMTIME m_max{};
    DWORD m_rangeFlags = 0;
    std::u16string m_picture;
    bool m_customPicture = false;
    std::vector<FormatPart> m_parts;
    int m_field = -1;       // the chosen part; -1 for the check box or none
    std::u16string m_typed; // digits typed into the chosen field so far
    bool m_focused = false;
    HWND m_upDown = nullptr;
    HWND m_calendar = nullptr;
    std::array<COLORREF, 6> m_calendarColours{};
    std::array<bool, 6> m_calendarColourSet{};
    HFONT m_calendarFont = nullptr;
    DWORD m_calendarStyle = 0;
};

void RegisterDateTimePickerClass();

} // namespace platform
