#include "dialogset.h"

#include "chooser.h"
#include "creditswindow.h"
#include "infowindow.h"
#include "rowscolumnsdialog.h"
#include "ruleswindow.h"
#include "webaddresses.h"

namespace {

template <typename Window, typename... Arguments>
Window& MadeOnce(Window*& window, Arguments&&... arguments)
{
    if (!window)
        window = new Window(std::forward<Arguments>(arguments)...);
    return *window;
}

template <typename Window>
Window& MadeOnce(std::unique_ptr<Window>& window, const QWidget& game)
{
    if (!window)
        window = std::make_unique<Window>(&game);
    return *window;
}

} // namespace

DialogSet::DialogSet(QWidget& owner, GameLibrary& library, const Clock& clock, UserDialogs& dialogs,
                     OpenAddress openAddress)
    : owner_(owner), library_(library), clock_(clock), dialogs_(dialogs), openAddress_(std::move(openAddress))
{
}

DialogSet::~DialogSet() = default;

RowsColumnsDialog& DialogSet::SizeDialog()
{
    return MadeOnce(sizeDialog_, &owner_);
}

Chooser& DialogSet::GameChooser()
{
    return MadeOnce(chooser_, library_, clock_, dialogs_, &owner_);
}

InfoWindow& DialogSet::Info()
{
    return MadeOnce(info_, [this](QWidget* over) { openAddress_(over, WebAddresses::HomePage); }, &owner_);
}

RulesWindow& DialogSet::Rules()
{
    return MadeOnce(rules_, owner_);
}

CreditsWindow& DialogSet::Credits()
{
    return MadeOnce(credits_, owner_);
}
