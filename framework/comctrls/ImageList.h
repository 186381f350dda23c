#pragma once
// TCustomImageList / TImageList: images of one size kept in a platform image list, each with a
// transparency mask when the list is masked. Controls that show the list's images (a page
// control's tabs) register a change link and repaint when the images change.

#include "framework/classes/Events.h"
#include "framework/controls/Component.h"
#include "framework/graphics/Colors.h"
#include "platform/controls/common/CommCtrl.h"

#include <vector>

class TBitmap;
class TCanvas;
class TCustomImageList;

// A registration for change notification: OnChange runs whenever the images change.
class TChangeLink {
public:
    TChangeLink() = default;
    ~TChangeLink();
    TChangeLink(const TChangeLink&) = delete;
    TChangeLink& operator=(const TChangeLink&) = delete;

    TCustomImageList* Sender() const { return m_sender; }

    TNotifyEvent OnChange;

private:
    friend class TCustomImageList;
    TCustomImageList* m_sender = nullptr;
};

class TCustomImageList : public TComponent {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    explicit TCustomImageList(TComponent* owner);
    ~TCustomImageList() override;

    // The size of every image (16 x 16 at first); a new size empties the list.
    int Width() const { return m_width; }
    void SetWidth(int width);
    int Height() const { return m_height; }
    void SetHeight(int height);
    bool Masked() const { return m_masked; }
    void SetMasked(bool masked);
    int Count() const;

    // The platform's image list, made on first use.
    HIMAGELIST Handle();
    bool HandleAllocated() const { return m_handle != nullptr; }

    // Adds the images a bitmap holds side by side (its width divided by Width); the mask,
    // when given, marks transparent pixels white. The index of the first image, or -1.
    int Add(TBitmap* image, TBitmap* mask);
    // As Add, with every pixel of the mask colour transparent.
    int AddMasked(TBitmap* image, TColor maskColor);
    void Delete(int index);
    void Clear();
    // Draws an image at (x, y), greyed when not enabled.
    void Draw(TCanvas* canvas, int x, int y, int index, bool enabled = true);

    void RegisterChanges(TChangeLink* link);
    void UnRegisterChanges(TChangeLink* link);

    TNotifyEvent OnChange;

protected:
    virtual void Change();

private:
    void SetSize(int width, int height);
    void FreeHandle();

    HIMAGELIST m_handle = nullptr;
    int m_width = 16;
    int m_height = 16;
    bool m_masked = true;
    std::vector<TChangeLink*> m_links;
};

class TImageList : public TCustomImageList {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    using TCustomImageList::TCustomImageList;
};

// Points a user's image-list slot at `images`, moving the user's change link and free
// notification from the list it had to the new one; false when the slot already held it.
bool ChangeImageList(TCustomImageList*& slot, TCustomImageList* images, TChangeLink& link, TComponent& user);
