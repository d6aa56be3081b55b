#pragma once

#include <windows.h>

#include <functional>
#include <list>

#include "framework/kernel_handle.h"

// Pieces of long work (the items of a conversion run) that go on side by side
// on the window's thread, each on a stack of its own (a fiber). A piece runs
// until it waits with WaitTurn(); then the other pieces, and the window's
// messages, have the thread. Nothing else interrupts a piece, so between two
// waits it reads and changes what it shares with the others, the task list
// above all, as if it were alone.

// Waits until the handle (when given) is signalled, a message comes, or the
// limit has passed. In a piece of CSideBySide it gives the thread to the
// others and the window's messages are handled while it waits; anywhere else
// it handles the waiting messages itself before it returns. Either way the
// caller looks again at what it waits for: a return only says that something
// may have changed.
void WaitTurn(HANDLE handle, DWORD limitMs);

// Runs the work on a thread of its own while a piece waits its turn, so that a
// call that holds its thread (a program's start under Wine takes tens of
// milliseconds, more on a busy machine) holds neither the window nor the
// pieces beside it. Outside a piece the work runs at once. The work must be
// safe on another thread; the last-error code it leaves is the caller's.
void RunAside(const std::function<void()>& work);

class CSideBySide {
public:
    CSideBySide();
    // Only once every piece has ended.
    ~CSideBySide();
    CSideBySide(const CSideBySide&) = delete;
    CSideBySide& operator=(const CSideBySide&) = delete;

    // Starts the work, which runs until its first wait, and returns then.
    // False when it could not be given a stack.
    bool Start(std::function<void()> work);
    // Waits for a piece's handle or limit, or a message; handles the window's
    // messages, then gives each piece its turn.
    void RunTurn();
    int Running() const { return static_cast<int>(pieces_.size()); }

    // One piece's fiber and what it waits for.
    struct Piece;

private:
    static void CALLBACK PieceMain(void* parameter);
    void Resume(Piece& piece);
    void DropEnded();

    void* threadFiber_ = nullptr;
    bool convertedThread_ = false;
    std::list<Piece> pieces_;
};

// A step that only one piece may take at a time (the media library's
// playlist, the one player). Taking it waits with WaitTurn() until it is free.
class COneAtATime {
public:
    COneAtATime();

    class Turn {
    public:
        explicit Turn(COneAtATime& step);
        ~Turn();
        Turn(const Turn&) = delete;
        Turn& operator=(const Turn&) = delete;

    private:
        COneAtATime& step_;
    };

private:
    bool taken_ = false;
    CKernelHandle free_;  // set while nobody takes the step
};
