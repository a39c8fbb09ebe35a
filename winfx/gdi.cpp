#include "winfx/gdi.h"

namespace winfx {

Brush::~Brush() {
    Delete();
}

bool Brush::CreateSolid(COLORREF color) {
    Delete();
    m_handle = CreateSolidBrush(color);
    return m_handle != nullptr;
}

void Brush::Delete() {
    if (m_handle != nullptr) {
        DeleteObject(m_handle);
        m_handle = nullptr;
    }
}

PaintDC::PaintDC(HWND window) : m_window(window), m_dc(BeginPaint(window, &m_paint)) {}

PaintDC::~PaintDC() {
    EndPaint(m_window, &m_paint);
}

}  // namespace winfx
