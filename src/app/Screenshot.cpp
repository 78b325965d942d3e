#include "app/Screenshot.h"

#include "app/Game.h"
#include "assets/ImageWriter.h"
#include "platform/Platform.h"
#include "render/RenderContext.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <system_error>

namespace fs = std::filesystem;

namespace {

constexpr const char* failedNotice = "Screenshot failed";

std::string failed(const std::string& reason)
{
    std::cout << failedNotice << ": " << reason << std::endl;
    return failedNotice;
}

// Writes `bytes` to a new file; the reason when it cannot.
std::string writeNewFile(const std::string& path, const std::vector<unsigned char>& bytes)
{
    std::FILE* file = std::fopen(path.c_str(), "wbx");
    if (file == nullptr)
        return std::strerror(errno);
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const int writeError = errno;
    const bool closed = std::fclose(file) == 0;
    if (written && closed)
        return "";
    std::remove(path.c_str()); // no half-written picture
    return std::strerror(written ? errno : writeError);
}

// The file for a picture taken at `when`, in `folder`.
std::string screenshotPath(const std::string& folder, std::time_t when)
{
    std::tm local{};
    localtime_r(&when, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d-%H-%M-%S", &local);
    const std::string base = folder + "/sandlark-" + stamp;
    std::string path = base + ".png";
    std::error_code ignored;
    for (int count = 2; fs::exists(path, ignored); ++count)
        path = base + "-" + std::to_string(count) + ".png";
    return path;
}

} // namespace

std::string saveScreenshot(int width, int height)
{
    // Read first: the frame is complete now, whatever happens to the file.
    const std::vector<unsigned char> frame = readWindowFrame(width, height);
    const std::string folder = resolvePath(screenshotFolder);
    std::error_code error;
    fs::create_directories(folder, error);
    if (!fs::is_directory(folder))
        return failed("cannot make the folder " + folder + (error ? ": " + error.message() : ""));
    const std::vector<unsigned char> png = encodePng(frame, width, height);
    if (png.empty())
        return failed("the picture could not be encoded as PNG");
    const std::string path = screenshotPath(folder, std::time(nullptr));
    const std::string problem = writeNewFile(path, png);
    if (!problem.empty())
        return failed("cannot write " + path + ": " + problem);
    std::cout << "Screenshot saved as " << path << std::endl;
    return "Saved as " + path;
}

void takeScreenshotIfAsked()
{
    Game& g = game();
    if (!g.screenshotWanted)
        return;
    g.screenshotWanted = false;
    g.notices.screenshotText = saveScreenshot(g.settings.screenwidth, g.settings.screenheight);
    g.notices.screenshotTime = g.input->time();
}
