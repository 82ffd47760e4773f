// The Windows hand-off of a file to the clipboard: the DROPFILES block under CF_HDROP.
#include "attachments/uPub.h"

#ifdef Q_OS_WIN

#include "common/TextCodec.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QWindow>

#include <cstring>
#include <windows.h>

namespace {

// EmptyClipboard with no owner window makes SetClipboardData fail, so borrow one of ours.
HWND clipboardOwner()
{
    if (QWindow *focus = QGuiApplication::focusWindow())
        return reinterpret_cast<HWND>(focus->winId());
    for (QWindow *window : QGuiApplication::topLevelWindows()) {
        if (window->handle())
            return reinterpret_cast<HWND>(window->winId());
    }
    return nullptr;
}

} // namespace

void CopyFileToClipboard(const QString &path)
{
    const HWND owner = clipboardOwner();
    if (!owner) {
        // Qt turns text/uri-list into CF_HDROP itself.
        if (qGuiApp)
            QGuiApplication::clipboard()->setMimeData(fileMimeData(path), QClipboard::Clipboard);
        return;
    }

    const QByteArray block = dropFilesBlock(textcodec::toGbk(QDir::toNativeSeparators(path)));
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, static_cast<SIZE_T>(block.size()));
    if (!memory)
        return;
    void *bytes = GlobalLock(memory);
    if (!bytes) {
        GlobalFree(memory);
        return;
    }
    std::memcpy(bytes, block.constData(), static_cast<size_t>(block.size()));
    GlobalUnlock(memory);

    if (!OpenClipboard(owner)) {
        GlobalFree(memory);
        return;
    }
    EmptyClipboard();
    // Once accepted the block belongs to the clipboard; only a refused one is ours to free.
    if (!SetClipboardData(clipformat::kCfHdrop, memory))
        GlobalFree(memory);
    CloseClipboard();
}

#endif
