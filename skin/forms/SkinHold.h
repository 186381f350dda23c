#pragma once
// TSkinHold: keeps the program's skin manager alive while one of its calls, or a message of a
// skinned window, runs. Handlers of the skin data's events run inside such calls; one that frees
// the last skin data would free the manager under the running call. The manager is then freed
// when the outermost hold ends instead (unless a skin data registered again meanwhile).

class TSkinHold {
public:
    TSkinHold();
    ~TSkinHold();
    TSkinHold(const TSkinHold&) = delete;
    TSkinHold& operator=(const TSkinHold&) = delete;

    // Frees the program's manager now, or when the outermost hold ends.
    static void FreeManagerWhenIdle();
};
