#include "cli/scriptcommands.h"
#include "common/commandline/arguments.h"

#include "session/basesession.h"
#include "session/profilelistsync.h"
#include "settings/profileimportexport.h"
#include "settings/profilelistedits.h"
#include "settings/profilename.h"
#include "common/presentation/operatingmode.h"
#include "common/presentation/statuslines.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

namespace cli {

namespace {

constexpr char kToolVersion[] = "1.0.15";
const QStringList kModelNames = {QStringLiteral("ardex"), QStringLiteral("brivo"), QStringLiteral("cendra")};

Request usageError(const QString &message)
{
    Request request;
    request.error = message;
    return request;
}

// The words after the options: exactly what each command takes, nothing more.
Request parseWords(const QStringList &words, Request request)
{
    using C = Request::Command;
    const QString first = words.value(0);
    const QString second = words.value(1);
    const auto expect = [&](int count, C command) {
        if (words.size() > count)
            return usageError(QStringLiteral("Unexpected word '%1'.").arg(words.at(count)));
        if (words.size() < count)
            return usageError(QStringLiteral("'%1' needs one more word.").arg(words.join(QLatin1Char(' '))));
        request.command = command;
        return request;
    };
    if (first == QLatin1String("status"))
        return expect(1, C::Status);
    if (first == QLatin1String("save"))
        return expect(1, C::Save);
    if (first != QLatin1String("profiles"))
        return usageError(first.isEmpty() ? QStringLiteral("Missing command.")
                                          : QStringLiteral("Unknown command '%1'.").arg(first));
    if (second == QLatin1String("list"))
        return expect(2, C::ProfilesList);
    if (second == QLatin1String("export") || second == QLatin1String("import")) {
        request = expect(3, second == QLatin1String("export") ? C::ProfilesExport : C::ProfilesImport);
        request.file = words.value(2);
        if (request.error.isEmpty() && request.file.isEmpty())
            return usageError(QStringLiteral("'profiles %1' needs a file name.").arg(second));
        return request;
    }
    if (second == QLatin1String("activate")) {
        request = expect(3, C::ProfilesActivate);
        bool ok = false;
        request.profile = words.value(2).toInt(&ok);
        if (request.error.isEmpty() && (!ok || request.profile < 0))
            return usageError(QStringLiteral("'%1' is not a profile number.").arg(words.value(2)));
        return request;
    }
    return usageError(second.isEmpty() ? QStringLiteral("'profiles' needs list, export, import or activate.")
                                       : QStringLiteral("Unknown profiles command '%1'.").arg(second));
}

QString modelName(int index) { return presentation::modelView(true, std::uint32_t(index)).text; }

QJsonObject statusObject(BaseSession &session)
{
    const DeviceStatus &status = session.status();
    QJsonObject object;
    object.insert(QStringLiteral("model"), modelName(int(session.link().modelIndex())));
    object.insert(QStringLiteral("firmware"), presentation::firmwareVersionText(status));
    object.insert(QStringLiteral("mode"), presentation::operatingModeView(status).text);
    object.insert(QStringLiteral("modeNumber"), qint64(status.operatingMode));
    const int active = int(status.activeProfile);
    object.insert(QStringLiteral("activeProfile"), active);
    const profDataNew *record = session.profileAt(active);
    object.insert(QStringLiteral("activeProfileName"), record ? profileName(*record) : QString());
    object.insert(QStringLiteral("defaultProfile"), int(status.defaultProfile));
    return object;
}

class Conversation {
public:
    Conversation(hid::Backend &backend, QTextStream &out, QTextStream &err)
        : session_(backend, SessionOptions{QString::fromLatin1(kToolVersion), 0}), out_(out), err_(err)
    {
        QObject::connect(&session_, &BaseSession::firmwareUpdateRequired, [this] { firmwareBlocked_ = true; });
        QObject::connect(&session_, &BaseSession::firmwareTooNew, [this] { firmwareBlocked_ = true; });
        QObject::connect(&session_, &BaseSession::reloadFinished,
                         [this](bool ok, const QString &error) { reloadError_ = ok ? QString() : error; });
    }
    ~Conversation() { session_.clearProfiles(); }

    // One status tick connects and reads everything, as the window's first tick does.
    bool connect(NoBaseExplainer explainNoBase)
    {
        session_.statusTick();
        // The ticks are ours to give; nothing polls behind a command's back.
        session_.stopPolling();
        if (firmwareBlocked_) {
            err_ << "The base's firmware must be updated (or is newer than this tool); "
                    "start the Tunemark window to do it.\n";
            return false;
        }
        if (session_.link().connected() && !session_.profiles().empty())
            return true;
        err_ << "No Veltrane 2 base could be opened";
        if (!reloadError_.isEmpty())
            err_ << ": " << reloadError_;
        else if (!session_.link().lastError().isEmpty())
            err_ << ": " << session_.link().lastError();
        err_ << ".\n";
        if (explainNoBase)
            err_ << explainNoBase();
        return false;
    }

    int status(bool json)
    {
        const QJsonObject object = statusObject(session_);
        if (json) {
            out_ << QJsonDocument(object).toJson(QJsonDocument::Indented);
            return ExitOk;
        }
        out_ << "Model: " << object.value(QLatin1String("model")).toString() << '\n'
             << "Firmware: " << object.value(QLatin1String("firmware")).toString() << '\n'
             << "Mode: " << object.value(QLatin1String("mode")).toString() << '\n'
             << "Active profile: " << object.value(QLatin1String("activeProfile")).toInt() << ' '
             << object.value(QLatin1String("activeProfileName")).toString() << '\n';
        return ExitOk;
    }

    int list(bool json)
    {
        const ProfileList &profiles = session_.profiles();
        const int active = int(session_.status().activeProfile);
        const int defaultIndex = int(session_.status().defaultProfile);
        QJsonArray array;
        for (std::size_t i = 0; i < profiles.size(); ++i) {
            const int index = int(i);
            const QString name = profileName(*profiles[i]);
            if (json) {
                array.append(QJsonObject{{QStringLiteral("index"), index},
                                         {QStringLiteral("name"), name},
                                         {QStringLiteral("active"), index == active},
                                         {QStringLiteral("default"), index == defaultIndex}});
                continue;
            }
            // Tab-separated so `cut` takes it apart; a name never holds a tab from the base's side.
            out_ << index << '\t' << QString(name).replace(QLatin1Char('\t'), QLatin1Char(' ')) << '\t'
                 << (index == active ? "active" : "") << (index == active && index == defaultIndex ? "," : "")
                 << (index == defaultIndex ? "default" : "") << '\n';
        }
        if (json)
            out_ << QJsonDocument(array).toJson(QJsonDocument::Indented);
        return ExitOk;
    }

    int exportTo(const QString &path)
    {
        if (QFileInfo(path).isDir()) {
            err_ << "Cannot write '" << path << "': it is a folder.\n";
            return ExitFailed;
        }
        // Written through a temporary file and renamed into place, then read back.
        QString error;
        if (!session_.applier().exportProfiles(path, &error)) {
            err_ << "Cannot write '" << path << "': " << error << "\n";
            return ExitFailed;
        }
        out_ << "Exported " << session_.profiles().size() - 1 << " profiles to " << path << ".\n";
        return ExitOk;
    }

    int importFrom(const QString &path)
    {
        const QFileInfo info(path);
        if (!info.isFile() || !info.isReadable()) {
            err_ << "Cannot read '" << path << "'.\n";
            return ExitFailed;
        }
        ProfileList incoming;
        int valuesClamped = 0;
        if (!profiles::ImportExport::forModel(session_.link().modelIndex())
                 .importFile(path, QLatin1String(profiles::kProfilesGroup), incoming, nullptr, &valuesClamped)) {
            err_ << "'" << path << "' holds no profiles.\n";
            return ExitFailed;
        }
        const std::size_t offered = incoming.size();
        const profilesync::ImportResult result = profilesync::appendImported(session_, incoming);
        if (!result.busyWith.isEmpty()) {
            err_ << "Nothing was imported: the link is busy: " << result.busyWith << '\n';
            return ExitFailed;
        }
        if (result.linkLost) {
            err_ << "The base went away during the import: " << session_.link().lastError() << '\n';
            return ExitFailed;
        }
        if (result.appended == 0) {
            err_ << "None of the " << offered << " profiles fit: the base holds at most "
                 << profileedits::kAddressableProfiles << " profiles.\n";
            return ExitFailed;
        }
        out_ << "Imported " << result.appended << " profiles.";
        if (valuesClamped > 0)
            out_ << ' ' << valuesClamped << " value(s) outside the range the editors allow changed to the nearest allowed value.";
        if (result.leftOut > 0)
            out_ << ' ' << result.leftOut << " did not fit (the base holds at most "
                 << profileedits::kAddressableProfiles << ").";
        out_ << " They run until 'save' writes them to the base's flash.\n";
        return result.leftOut > 0 ? ExitFailed : ExitOk;
    }

    int activate(int index)
    {
        if (index >= int(session_.profiles().size())) {
            err_ << "The base has no profile " << index << " (it has 0 to " << session_.profiles().size() - 1
                 << ").\n";
            return ExitFailed;
        }
        if (!profilesync::activate(session_, index)) {
            err_ << "The base did not take the profile: " << session_.link().lastError() << '\n';
            return ExitFailed;
        }
        session_.setActiveProfile(index);
        out_ << "Profile " << index << " (" << profileName(*session_.profiles()[std::size_t(index)])
             << ") is active.\n";
        return ExitOk;
    }

    int save()
    {
        bool ok = false;
        QString error;
        QObject::connect(&session_.applier(), &SettingsApplier::saveFinished,
                         [&](bool saved, const QString &why) { ok = saved, error = why; });
        session_.applier().saveToFlash();
        if (!ok) {
            err_ << "The base did not save: " << error << '\n';
            return ExitFailed;
        }
        // The base writes its flash now; the next command must not talk over it.
        if (session_.gate().flashDelayRunning()) {
            QEventLoop wait;
            QObject::connect(&session_.gate(), &LinkGate::flashDelayElapsed, &wait, &QEventLoop::quit);
            wait.exec();
        }
        out_ << "Saved to the base's flash.\n";
        return ExitOk;
    }

private:
    BaseSession session_;
    QTextStream &out_;
    QTextStream &err_;
    bool firmwareBlocked_ = false;
    QString reloadError_;
};

} // namespace

Request parseArguments(const QStringList &arguments)
{
    Request request;
    bool help = false;
    bool version = false;
    const commandline::SplitArguments split = commandline::splitArguments(arguments);
    for (const commandline::Option &option : split.options) {
        const QString &name = option.name;
        const bool hasValue = option.hasValue;
        if (name == QLatin1String("--simulated-base")) {
            const QString model = hasValue ? option.value : kModelNames.last();
            request.simulatedModel = kModelNames.indexOf(model);
            if (request.simulatedModel < 0)
                return usageError(QStringLiteral("Unknown base model '%1'; use ardex, brivo or cendra.").arg(model));
            request.simulatedBase = true;
        } else if (!hasValue && name == QLatin1String("--json")) {
            request.json = true;
        } else if (!hasValue && name == QLatin1String("--help")) {
            help = true;
        } else if (!hasValue && name == QLatin1String("--version")) {
            version = true;
        } else {
            return usageError(QStringLiteral("Unknown option '%1'.").arg(option.argument));
        }
    }
    if (help || version) {
        request.command = help ? Request::Command::Help : Request::Command::Version;
        return request;
    }
    request = parseWords(split.words, request);
    if (request.error.isEmpty() && request.json && request.command != Request::Command::Status
        && request.command != Request::Command::ProfilesList)
        return usageError(QStringLiteral("--json goes with 'status' and 'profiles list' only."));
    return request;
}

QString usageText(const QString &program)
{
    return QStringLiteral(
               "Usage: %1 [--simulated-base[=model]] COMMAND\n"
               "Talks to a Veltrane 2 wheel base for scripts.\n"
               "\n"
               "Commands:\n"
               "  status [--json]           Model, firmware, mode and active profile.\n"
               "  profiles list [--json]    Every profile with its number; marks the active\n"
               "                            and the default one.\n"
               "  profiles export FILE      Writes every profile into an INI file.\n"
               "  profiles import FILE      Adds the profiles of an INI file to the base.\n"
               "  profiles activate N       Makes profile N the active one.\n"
               "  save                      Saves the base's settings to its flash.\n"
               "\n"
               "Options:\n"
               "  --simulated-base[=model]  Talk to a virtual base (ardex, brivo or cendra).\n"
               "  --help, --version\n"
               "\n"
               "Exit codes: 0 done, 1 the base or a file refused, 2 wrong words,\n"
               "3 the Tunemark window is running (close it first).\n")
        .arg(program);
}

int refuseUsage(const Request &request, QTextStream &err)
{
    err << (request.error.isEmpty() ? QStringLiteral("Missing command.") : request.error) << "\nTry --help.\n";
    return ExitUsage;
}

int run(const Request &request, hid::Backend &backend, QTextStream &out, QTextStream &err,
        NoBaseExplainer explainNoBase)
{
    using C = Request::Command;
    if (!request.error.isEmpty() || request.command == C::None)
        return refuseUsage(request, err);
    Conversation conversation(backend, out, err);
    if (!conversation.connect(explainNoBase))
        return ExitFailed;
    switch (request.command) {
    case C::Status: return conversation.status(request.json);
    case C::ProfilesList: return conversation.list(request.json);
    case C::ProfilesExport: return conversation.exportTo(request.file);
    case C::ProfilesImport: return conversation.importFrom(request.file);
    case C::ProfilesActivate: return conversation.activate(request.profile);
    case C::Save: return conversation.save();
    case C::None: case C::Help: case C::Version: break;
    }
    return ExitUsage;
}

} // namespace cli
