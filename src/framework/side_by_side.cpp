#include "framework/side_by_side.h"

#include <thread>
#include <vector>

#include "framework/message_loop.h"

struct CSideBySide::Piece {
    std::function<void()> work;
    void* fiber = nullptr;
    bool ended = false;
    // What the piece waits for: a handle (or none) and a limit from waitStart.
    HANDLE handle = nullptr;
    DWORD waitStart = 0;
    DWORD limitMs = 0;
};

namespace {

// While a CSideBySide runs (only ever on the window's thread): the thread's own
// fiber, which handles the messages, and the piece that has the thread now.
void* threadFiber = nullptr;
CSideBySide::Piece* pieceRunning = nullptr;

// Time left of a limit started at start; INFINITE stays INFINITE.
DWORD Left(DWORD start, DWORD limitMs, DWORD now) {
    if (limitMs == INFINITE) return INFINITE;
    const DWORD waited = now - start;
    return waited >= limitMs ? 0 : limitMs - waited;
}

}  // namespace

void WaitTurn(HANDLE handle, DWORD limitMs) {
    if (pieceRunning == nullptr) {
        MsgWaitForMultipleObjectsEx(handle ? 1 : 0, &handle, limitMs, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        PumpMessages();
        return;
    }
    pieceRunning->handle = handle;
    pieceRunning->waitStart = GetTickCount();
    pieceRunning->limitMs = limitMs;
    SwitchToFiber(threadFiber);
}

void RunAside(const std::function<void()>& work) {
    if (pieceRunning == nullptr) {
        work();
        return;
    }
    const CKernelHandle done(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    if (!done) {
        work();
        return;
    }
    DWORD lastError = 0;
    std::thread worker([&] {
        work();
        lastError = GetLastError();
        SetEvent(done.Get());
    });
    while (WaitForSingleObject(done.Get(), 0) == WAIT_TIMEOUT) WaitTurn(done.Get(), INFINITE);
    worker.join();
    SetLastError(lastError);
}

CSideBySide::CSideBySide() {
    if (IsThreadAFiber()) {
        threadFiber_ = GetCurrentFiber();
    } else {
        threadFiber_ = ConvertThreadToFiber(nullptr);
        convertedThread_ = threadFiber_ != nullptr;
    }
    threadFiber = threadFiber_;
}

CSideBySide::~CSideBySide() {
    for (Piece& piece : pieces_) DeleteFiber(piece.fiber);
    threadFiber = nullptr;
    if (convertedThread_) ConvertFiberToThread();
}

bool CSideBySide::Start(std::function<void()> work) {
    if (threadFiber_ == nullptr) return false;
    pieces_.emplace_back();
    Piece& piece = pieces_.back();
    piece.work = std::move(work);
    piece.fiber = CreateFiber(0, PieceMain, &piece);
    if (piece.fiber == nullptr) {
        pieces_.pop_back();
        return false;
    }
    Resume(piece);
    DropEnded();
    return true;
}

// A fiber's function must never return (that would end the thread): once its
// work is done it hands the thread back for good.
void CALLBACK CSideBySide::PieceMain(void* parameter) {
    Piece& piece = *static_cast<Piece*>(parameter);
    piece.work();
    piece.ended = true;
    SwitchToFiber(threadFiber);
}

void CSideBySide::Resume(Piece& piece) {
    pieceRunning = &piece;
    SwitchToFiber(piece.fiber);
    pieceRunning = nullptr;
}

// A piece's wait returns when anything may have changed for it: a message
// (the Stop button, a player's event), its handle, its limit. It looks again
// and waits again when nothing changed, as a wait of its own would.
void CSideBySide::RunTurn() {
    std::vector<HANDLE> handles;
    DWORD timeout = INFINITE;
    const DWORD now = GetTickCount();
    for (const Piece& piece : pieces_) {
        if (piece.handle) handles.push_back(piece.handle);
        const DWORD left = Left(piece.waitStart, piece.limitMs, now);
        if (left < timeout) timeout = left;
    }
    MsgWaitForMultipleObjectsEx(static_cast<DWORD>(handles.size()), handles.data(), timeout, QS_ALLINPUT,
                                MWMO_INPUTAVAILABLE);
    PumpMessages();
    for (Piece& piece : pieces_) Resume(piece);
    DropEnded();
}

void CSideBySide::DropEnded() {
    for (auto piece = pieces_.begin(); piece != pieces_.end();) {
        if (!piece->ended) {
            ++piece;
            continue;
        }
        DeleteFiber(piece->fiber);
        piece = pieces_.erase(piece);
    }
}

COneAtATime::COneAtATime() : free_(CreateEventA(nullptr, TRUE, TRUE, nullptr)) {}

COneAtATime::Turn::Turn(COneAtATime& step) : step_(step) {
    while (step_.taken_) WaitTurn(step_.free_.Get(), INFINITE);
    step_.taken_ = true;
    ResetEvent(step_.free_.Get());
}

COneAtATime::Turn::~Turn() {
    step_.taken_ = false;
    SetEvent(step_.free_.Get());
}
