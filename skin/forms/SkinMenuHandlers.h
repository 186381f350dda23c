#pragma once
// The skin's drawing and measuring handlers for the framework's menu items, and the two
// measurers: the popup measurer widens the framework's measure of an item for the skin's item
// margin, glyph column and arrow; the main-menu measurer does so for the drop-downs of a menu
// bar. A handler holds its skin data; once that is gone (no longer registered with the manager)
// the measurers change nothing and the painter draws the plain classic item.

#include "framework/controls/OwnerDrawState.h"
#include "framework/graphics/GraphTypes.h"
#include "skin/forms/SkinMenuPainter.h"

class TCanvas;
class TMenuItem;
class TObject;
class TSkinData;

// The skin item painter as a framework item's OnAdvancedDrawItem.
class TSkinItemPainter {
public:
    explicit TSkinItemPainter(TSkinData& skinData) : m_skinData(&skinData) {}
    void operator()(TObject* sender, TCanvas* canvas, const TRect& rect, TOwnerDrawState state) const;

private:
    TSkinData* m_skinData;
};

// The popup measurer as a framework item's OnMeasureItem.
class TSkinPopupMeasurer {
public:
    explicit TSkinPopupMeasurer(TSkinData& skinData) : m_skinData(&skinData) {}
    void operator()(TObject* sender, TCanvas* canvas, int& width, int& height) const;

private:
    TSkinData* m_skinData;
};

// The main-menu measurer as a framework item's OnMeasureItem: the framework measured the item
// before its handler runs.
class TSkinMainMenuMeasurer {
public:
    explicit TSkinMainMenuMeasurer(TSkinData& skinData) : m_skinData(&skinData) {}
    void operator()(TObject* sender, TCanvas* canvas, int& width, int& height) const;

private:
    TSkinData* m_skinData;
};

// The widening of each measurer, given the framework's measure.
void WidenForPopup(TSkinData& skinData, const TMenuItem& item, int& width);
void WidenForMainMenu(TSkinData& skinData, const TMenuItem& item, int& width);
// The main-menu measurer for an item measured outside the framework's own message handling:
// the framework's measure without the item's own handler, then widened.
void MeasureMainMenuItem(TSkinData& skinData, TMenuItem& item, TCanvas& canvas, int& width, int& height);

// What the painters need of a framework item in a state.
TSkinMenuItem SkinMenuItemOf(const TMenuItem& item, TOwnerDrawState state);
// Whether the menu shows right to left: its window reads from the right, or its native items
// are in right-to-left order.
bool IsRightToLeftMenu(const TMenuItem& item);

// Whether the skin data is still registered with the manager.
bool SkinDataAlive(const TSkinData* skinData);
