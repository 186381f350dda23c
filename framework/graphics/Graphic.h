#pragma once
// TGraphic: a picture that a canvas can draw (a bitmap, an icon), stored in streams and files.

#include "framework/classes/Events.h"
#include "framework/classes/Persistent.h"
#include "framework/graphics/GraphTypes.h"

#include <string>

class TCanvas;
class TStream;

// Raised for a picture that cannot be read or used.
class EInvalidGraphic : public Exception {
public:
    using Exception::Exception;
};

class TGraphic : public TPersistent {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    virtual bool Empty() const = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual void SetWidth(int width) = 0;
    virtual void SetHeight(int height) = 0;
    virtual bool Transparent() const { return m_transparent; }
    virtual void SetTransparent(bool transparent);

    // Reads the picture from the stream's position; EInvalidGraphic when it is not one.
    virtual void LoadFromStream(TStream& stream) = 0;
    virtual void SaveToStream(TStream& stream) = 0;
    // GBK paths; the file stream's errors (EFOpenError, EFCreateError) pass through.
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName);

    bool Modified() const { return m_modified; }
    void SetModified(bool modified) { m_modified = modified; }

    TNotifyEvent OnChange;

protected:
    friend class TCanvas;
    // Draws the picture stretched into the rectangle of the canvas.
    virtual void Draw(TCanvas& canvas, const TRect& rect) = 0;
    // Marks the picture modified and raises OnChange.
    virtual void Changed();

private:
    bool m_transparent = false;
    bool m_modified = false;
};
