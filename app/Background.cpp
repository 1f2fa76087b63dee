#include "app/Application.h"
#include "res/resource.h"

// The MDI client's empty area: the tile picture repeated over the whole
// client, the logo in the lower right corner, drawn through a back buffer.

namespace {
constexpr int LogoMargin = 170;

WNDPROC ClientPreviousProc = nullptr;

LRESULT CALLBACK ClientWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if ((message == WM_SIZE || message == WM_PAINT) && TheApp && TheApp->mdiClient == hwnd)
        TheApp->PaintBackground();
    return CallWindowProcA(ClientPreviousProc, hwnd, message, wParam, lParam);
}
}  // namespace

void Application::SubclassClient()
{
    previousClientProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(mdiClient, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ClientWndProc)));
    ClientPreviousProc = previousClientProc;
}

void Application::RestoreClientProc()
{
    if (mdiClient && IsWindow(mdiClient) && previousClientProc)
        SetWindowLongPtrA(mdiClient, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousClientProc));
    previousClientProc = nullptr;
}

void Application::PaintBackground()
{
    InvalidateRect(frame, nullptr, FALSE);
    const PaintScope paint(mdiClient);
    const HDC dc = paint.Dc();
    if (!dc)
        return;
    RECT client{};
    GetClientRect(mdiClient, &client);
    const int width = client.right;
    const int height = client.bottom;
    if (!backBuffer.IsValid())
        backBuffer.Create(dc, width, height);
    if (backBuffer.IsValid()) {
        if (tile.IsValid() && tile.Width() > 0 && tile.Height() > 0) {
            for (int y = 0; y < height; y += tile.Height())
                for (int x = 0; x < width; x += tile.Width())
                    BitBlt(backBuffer.Dc(), x, y, tile.Width(), tile.Height(), tile.Dc(), 0, 0, SRCCOPY);
        }
        if (logo.IsValid())
            BitBlt(backBuffer.Dc(), width - LogoMargin, height - LogoMargin, LOGO_SIZE, LOGO_SIZE, logo.Dc(), 0, 0,
                   SRCCOPY);
        BitBlt(dc, 0, 0, backBuffer.Width(), backBuffer.Height(), backBuffer.Dc(), 0, 0, SRCCOPY);
    }
}
