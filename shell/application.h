#pragma once

class QApplication;

// What the whole program shares: its title and the fonts its windows name.
void SetUpApplication(QApplication& app);

// What the process needs before anything else runs. A write beyond the
// limit on a file's size that a shell or a service may set fails then like
// one on a full disk: the save is refused with its message and the old
// settings file stays, where the signal would kill the game without a word.
void SetUpProcess();
