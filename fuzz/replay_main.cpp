// Replays a fuzz harness's seed corpus without libFuzzer: every file given on the
// command line (or found in a directory given there) is fed to the harness once.
// A harness that trips an invariant aborts, which fails the CTest run.

#include <dirent.h>
#include <sys/stat.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

static bool readFile(const std::string& path, std::vector<uint8_t>* out)
{
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return false;
    uint8_t chunk[4096];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0)
        out->insert(out->end(), chunk, chunk + n);
    std::fclose(f);
    return true;
}

static int replay(const std::string& path)
{
    struct stat st;
    if (stat(path.c_str(), &st) != 0) {
        std::fprintf(stderr, "replay: cannot read %s\n", path.c_str());
        return -1;
    }
    if (!S_ISDIR(st.st_mode)) {
        std::vector<uint8_t> data;
        if (!readFile(path, &data)) {
            std::fprintf(stderr, "replay: cannot read %s\n", path.c_str());
            return -1;
        }
        LLVMFuzzerTestOneInput(data.data(), data.size());
        return 1;
    }
    DIR* dir = opendir(path.c_str());
    if (!dir)
        return -1;
    int count = 0;
    while (dirent* e = readdir(dir)) {
        std::string name = e->d_name;
        if (name == "." || name == "..")
            continue;
        int n = replay(path + "/" + name);
        if (n < 0) {
            closedir(dir);
            return -1;
        }
        count += n;
    }
    closedir(dir);
    return count;
}

int main(int argc, char** argv)
{
    int total = 0;
    for (int i = 1; i < argc; ++i) {
        int n = replay(argv[i]);
        if (n < 0)
            return 1;
        total += n;
    }
    // The empty input is always worth one run.
    static const uint8_t none = 0;
    LLVMFuzzerTestOneInput(&none, 0);
    std::printf("replayed %d inputs\n", total + 1);
    if (total == 0) {
        std::fprintf(stderr, "replay: empty seed corpus\n");
        return 1;
    }
    return 0;
}
