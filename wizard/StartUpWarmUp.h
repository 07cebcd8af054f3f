// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>
#include <filesystem>
#include <future>
#include <thread>

// Whether the Qt platform that QT_QPA_PLATFORM (or its absence) picks talks to assistive
// technology over the session bus, as the desktop ones do.
bool PlatformBridgesAccessibilityOverBus(const QString& platformVariable);

// Does on threads of its own, while the program starts, the work that would otherwise hold up
// the first page on the user-interface thread:
// - while Qt connects to the display: the session bus is connected for the accessibility bridge;
//   meanwhile the pictures that the first page shows first are decoded and handed to the page
//   (OfferPreparedPictures), then the font configuration is read;
// - once the application exists: Qt's font list is read, and the skin's font looked up, which
//   any thread may use.
// The fonts are the largest single cost of starting, the background the next.
class StartUpWarmUp
{
public:
    explicit StartUpWarmUp(const std::filesystem::path& programFolder);
    // Joins the threads.
    ~StartUpWarmUp();
    StartUpWarmUp(const StartUpWarmUp&) = delete;
    StartUpWarmUp& operator=(const StartUpWarmUp&) = delete;

    // The application exists: Qt's font list may be read now. Returns once the font configuration
    // has been read, so that the first page does not read it a second time beside the warm-up.
    void applicationReady();
    // Waits for the threads; call it before the application goes.
    void finish();

private:
    void release(bool applicationExists);

    std::promise<bool> m_application;
    std::future<void> m_fontConfiguration;
    bool m_released = false;
    std::thread m_thread;
    std::thread m_busThread;
};
