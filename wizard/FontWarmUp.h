#pragma once

#include <future>
#include <thread>

// Reads the desktop's fonts on a thread of its own while the program starts: the first text
// measured would otherwise wait for them on the user-interface thread, and they are the largest
// single cost of starting. The font configuration needs no Qt and is read while Qt connects to
// the display; Qt's font list, which may be used from any thread, follows once the application
// exists.
class FontWarmUp
{
public:
    FontWarmUp();
    // Joins the thread.
    ~FontWarmUp();
    FontWarmUp(const FontWarmUp&) = delete;
    FontWarmUp& operator=(const FontWarmUp&) = delete;

    // The application exists: Qt's font list may be read now.
    void applicationReady();
    // Waits for the thread; call it before the application goes.
    void finish();

private:
    void release(bool applicationExists);

    std::promise<bool> m_application;
    bool m_released = false;
    std::thread m_thread;
};
