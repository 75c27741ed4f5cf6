#pragma once

class QApplication;

// What the whole program shares: its title and the fonts its windows name.
void SetUpApplication(QApplication& app);
