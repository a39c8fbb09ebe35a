// Owning wrappers for the two GDI resources the dialogs use.
#pragma once

#include <windows.h>

namespace winfx {

// One solid brush, deleted with the object.
class Brush {
  public:
    Brush() = default;
    ~Brush();
    Brush(const Brush&) = delete;
    Brush& operator=(const Brush&) = delete;

    bool CreateSolid(COLORREF color);
    void Delete();
    HBRUSH Handle() const { return m_handle; }

  private:
    HBRUSH m_handle = nullptr;
};

// BeginPaint in the constructor, EndPaint in the destructor.
class PaintDC {
  public:
    explicit PaintDC(HWND window);
    ~PaintDC();
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;

    HDC Handle() const { return m_dc; }

  private:
    HWND m_window;
    PAINTSTRUCT m_paint{};
    HDC m_dc;
};

}  // namespace winfx
