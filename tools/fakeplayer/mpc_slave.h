#pragma once
// The stand-in's MPC-HC side of "/slave N": it connects to window N, answers what it is asked
// along a scripted run of a disc, and writes down what it receives. Identifiers and texts as in
// MPC-HC's src/mpc-hc/MpcApi.h and MainFrm.cpp (SendAPICommand, OnCopyData, ProcessAPICommand,
// SendNowPlayingToApi).

#include <windows.h>

#include <string>
#include <vector>

#include "player_log.h"

class MpcSlave {
  public:
    // The disc's first-play program lasts menuAfterMs, then its root menu shows; Ok / Enter there
    // starts title 1 a moment later, and Next in a title goes to its next chapter.
    MpcSlave(Log& log, int menuAfterMs) : log_(log), menuAfterMs_(menuAfterMs) {}

    // The player's command line: "/slave N" connects to window N (and a disc starts anew).
    void takeCommandLine(HWND own, const std::vector<std::string>& words);
    // Handles an API command or a second start's command line; false for anything else.
    bool onCopyData(HWND own, HWND from, const COPYDATASTRUCT& data);
    void onCommand(HWND own, WPARAM id);
    bool onTimer(HWND own, WPARAM id);

    // What a second start hands the running player, as MPC-HC does (mplayerc.cpp,
    // SendCommandLine): true when a running one took it.
    static bool handToRunning(const char* mainClass, const std::vector<std::string>& words);

  private:
    enum class Domain { firstPlay, rootMenu, title };
    void begin(HWND own);
    void enter(Domain domain);
    std::wstring nowPlaying() const;
    void send(HWND own, ULONG_PTR command, const std::wstring& text);

    Log& log_;
    int menuAfterMs_;
    HWND master_ = nullptr;
    Domain domain_ = Domain::firstPlay;
    int chapter_ = 1;
};
