#include "errorreport.h"

#include "settingserror.h"
#include "userdialogs.h"

#include <QString>

void RunReportingErrors(UserDialogs& dialogs, QWidget* parent, const std::function<void()>& command)
{
    try {
        command();
    } catch (const SettingsError& error) {
        dialogs.ShowTitledError(parent, QString::fromUtf8(error.what()) + '.');
    } catch (const std::exception& error) {
        dialogs.ShowError(parent, QString::fromUtf8(error.what()));
    }
}
