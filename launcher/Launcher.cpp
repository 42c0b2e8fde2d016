#include "launcher/Launcher.h"

#include "app/CApplication.h"
#include "app/CMC_Scene.h"
#include "app/CWindow.h"
#include "foundation/CCommandLine6.h"
#include "foundation/CConfig.h"
#include "launcher/LauncherSettings.h"
#include "launcher/ProgramIcon.h"
#include "launcher/QuitSignals.h"
#include "launcher/ScenesMenu.h"
#include "media/CSound4.h"
#include "platform/Backend.h"
#include "platform/DebugOutput.h"
#include "platform/FileSystem.h"
#include "platform/FramePacer.h"
#include "platform/PathResolver.h"
#include "platform/PngWriter.h"
#include "platform/SoundDevice.h"

#include <cstdio>

namespace {

constexpr int kScreenWidth = 800;
constexpr int kScreenHeight = 600;
constexpr int kScreenshotDotsPerInch = 96;

void report(const std::string& line)
{
    std::fputs(("Kestrum: " + line + "\n").c_str(), stderr);
}

// The engine's name of the program's folder, where plug-ins are looked for.
CXString programFolderName()
{
    const std::string folder = platform::programFolder();
    if (folder.empty())
        return CXString();
    CXString name(platform::toWindowsName(folder).c_str());
    if (name.lastChar() != '\\')
        name += '\\';
    return name;
}

platform::IconImage windowIcon(const CXString& file)
{
    if (file.IsString())
        if (std::optional<platform::IconImage> picture = ProgramIcon::fromFile(file))
            return *picture;
    return ProgramIcon::builtIn();
}

} // namespace

Launcher::Launcher(int argc, const char* const* argv)
    : commandLine_(std::make_unique<CCommandLine6>(argc, argv))
{
}

Launcher::~Launcher()
{
    shutdown();
}

int Launcher::fail(int exitCode, const std::string& cause)
{
    report(cause);
    return exitCode;
}

std::optional<int> Launcher::start()
{
    platform::setDebugOutputEnabled(commandLine_->isDebugMode());
    std::string cause;
    std::optional<RunOptions> options = RunOptions::read(*commandLine_, cause);
    if (!options)
        return fail(kExitBadOption, cause);
    options_ = *options;
    if (!options_.input.empty()) {
        input_ = InputScript::load(options_.input, cause);
        if (!input_)
            return fail(kExitBadOption, cause);
    }

    platform::BackendOptions backendOptions;
    backendOptions.noGraphics = commandLine_->isGFXEnabled();
    backendOptions.steppedTime = options_.frames > 0 || options_.needsHeadless();
    backend_ = platform::createBackend(backendOptions);
    if (options_.needsHeadless() && !backend_->isHeadless())
        return fail(kExitBadOption, "\"input\" and \"audio\" need the headless back end (\"nogfx\")");
    if (!backendOptions.noGraphics && backend_->isHeadless())
        report("no display opens; running without graphics");
    // Headless, the sound is rendered in step with the frames instead of playing.
    platform::SoundDevice::setOutput(backend_->isHeadless() ? platform::SoundOutput::Loopback
                                                            : platform::SoundOutput::Speakers);
    platform::Cursors& cursors = backend_->cursors();

    const LauncherSettings settings = LauncherSettings::read();
    if (settings.subFolder.IsString() && !commandLine_->getPath().IsString())
        commandLine_->setPath(settings.subFolder);

    platform::Display& display = backend_->display();
    display.setTitle(settings.title.c_str());
    display.setIcon(windowIcon(settings.icon));
    display.hideUntilShown();

    window_ = std::make_unique<CWindow>(backend_.get(), commandLine_.get(), &language_,
                                        CXSize(kScreenWidth, kScreenHeight),
                                        cursors.systemCursor(platform::SystemCursor::Arrow), programFolderName());
    window_->OnActivateApp(true);
    window_->SetActiveCursor(cursors.systemCursor(platform::SystemCursor::Hand));
    window_->SetWaitCursor(cursors.systemCursor(platform::SystemCursor::Wait));
    if (window_->LastError() != 0)
        return fail(kExitFailed, "the engine window cannot be made");
    // Sounds then stay silent; "debug" has said why.
    if (platform::SoundDevice::output() == platform::SoundOutput::Speakers && CSound4::getDirectSound() == nullptr
        && commandLine_->isSoundEnabled())
        report("no sound device opens; running silent");
    openDisplay();
    if (window_->LastError() != 0)
        return fail(kExitFailed, "the display cannot be opened (error " + std::to_string(window_->LastError()) + ")");

    application_ = std::make_unique<CApplication>(window_.get(), settings.applicationIni, CXString("data.bf"),
                                                  commandLine_.get());
    // Scripts and statistics may change many values a frame: the file is replaced once per frame
    // at most, and once more at the end.
    if (CConfig* ini = application_->GetConfigInterface())
        ini->gatherWrites();
    application_->preinitializeApplication();
    // Where the application cannot load or store itself, it said why on standard error.
    auto* root = dynamic_cast<CMC_Scene*>(application_->getMCApplicationIfc());
    if (root == nullptr)
        return kExitFailed;
    if (commandLine_->is2Bin())
        return application_->isBinaryStored() ? kExitOk : kExitFailed;
    if (platform::isDebugOutputEnabled())
        for (const std::string& line : scenesMenuLines(root))
            platform::debugOutput((line + "\n").c_str());
    display.showWindow();
    scriptedRun_ = std::make_unique<ScriptedRun>(options_, std::move(input_), *backend_, CSound4::getDirectSound());
    return std::nullopt;
}

void Launcher::openDisplay()
{
    if (commandLine_->isWindowMode()) {
        window_->CreateSurface();
        return;
    }
    if (window_->SetDisplayMode(commandLine_->getResolution(), 16) != 0)
        window_->SetDisplayMode(commandLine_->getResolution(), 15);
}

int Launcher::run()
{
    int frames = 0;
    std::string cause;
    bool written = true;
    // The loop may sleep until its next work is due: a signal must wake it.
    QuitSignals::setListener([this] { window_->wake(); });
    window_->run(
        platform::FramePacer::kDefaultPeriodMs,
        [&] {
            // A signal closes the window, as the user would.
            if (QuitSignals::requested())
                window_->OnDestroy();
            written = scriptedRun_->afterFrame(cause);
            return written && (options_.frames == 0 || ++frames < options_.frames);
        },
        [&] { scriptedRun_->beforeFrame(); },
        scriptedRun_->isFrameByFrame() ? CWindow::Pacing::EveryPeriod : CWindow::Pacing::WhenDue);
    QuitSignals::setListener({});
    if (!written)
        return fail(kExitFailed, "no shot: " + cause);
    if (!scriptedRun_->finish(cause))
        return fail(kExitFailed, "not written: " + cause);
    const platform::RgbImage lastFrame =
        options_.screenshot.empty() ? platform::RgbImage() : backend_->display().capture();
    shutdown();
    if (options_.screenshot.empty())
        return kExitOk;
    if (!platform::writePngFile(options_.screenshot, lastFrame, kScreenshotDotsPerInch, cause))
        return fail(kExitFailed, "no screenshot: " + cause);
    return kExitOk;
}

void Launcher::shutdown()
{
    scriptedRun_.reset();
    application_.reset();
    window_.reset();
    backend_.reset();
}
