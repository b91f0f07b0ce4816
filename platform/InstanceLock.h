// CInstanceLock: one game per data folder, held by a lock on the folder itself.
#pragma once

#include <filesystem>
#include <string>

// The lock is the kernel's (flock) on the data folder, so it needs no file of its own and is
// never left behind: it goes when the game ends, however it ends, killed included. It is taken
// before any data file is read and held until the process ends.
class CInstanceLock {
public:
    enum class EState {
        kHeld,        // this game holds the folder
        kInUse,       // another game holds it
        kImpossible,  // the folder cannot be made or locked; the game goes on without a lock
    };

    CInstanceLock() = default;
    ~CInstanceLock();
    CInstanceLock(const CInstanceLock&) = delete;
    CInstanceLock& operator=(const CInstanceLock&) = delete;

    // Creates the folder when it is missing and tries to lock it, without waiting. With
    // kImpossible, `Why` says what stood in the way. Taking a lock already held by this
    // object keeps it.
    EState Take(const std::filesystem::path& folder);
    const std::string& Why() const { return m_why; }
    bool Held() const { return m_fd >= 0; }

private:
    int m_fd = -1;
    std::string m_why;
};
