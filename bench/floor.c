#define _GNU_SOURCE
/* floor: the least work any of the programs could do on the same input, for the benchmark.
 *   floor copy IN OUT   copies IN to OUT in 256-byte read and write calls
 *   floor dir OUT       lists the working directory's *.mp3 files with their times into OUT,
 *                       one stat per entry, written in 256-byte write calls */
#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

static char out[256];
static int used;

static void put(int fd, const char* s, int n)
{
    while (n > 0) {
        int room = 256 - used, k = n < room ? n : room;
        memcpy(out + used, s, k);
        used += k, s += k, n -= k;
        if (used == 256) {
            if (write(fd, out, 256) != 256) _exit(1);
            used = 0;
        }
    }
}

int main(int argc, char** argv)
{
    if (argc == 4 && strcmp(argv[1], "copy") == 0) {
        int in = open(argv[2], O_RDONLY), to = open(argv[3], O_WRONLY | O_CREAT | O_TRUNC, 0644);
        char block[256];
        ssize_t n;
        while ((n = read(in, block, sizeof block)) > 0)
            if (write(to, block, n) != n) return 1;
        return 0;
    }
    if (argc == 3 && strcmp(argv[1], "dir") == 0) {
        int to = open(argv[2], O_WRONLY | O_CREAT | O_TRUNC, 0644);
        DIR* d = opendir(".");
        struct dirent* e;
        struct stat st;
        char line[300];
        while ((e = readdir(d)))
            if (fnmatch("*.mp3", e->d_name, FNM_CASEFOLD) == 0 && e->d_name[0] != '.' &&
                fstatat(dirfd(d), e->d_name, &st, 0) == 0 && S_ISREG(st.st_mode))
                put(to, line, snprintf(line, sizeof line, "%ld::%s\r\n", (long)st.st_mtime, e->d_name));
        if (used && write(to, out, used) != used) return 1;
        return 0;
    }
    fprintf(stderr, "usage: floor copy IN OUT | floor dir OUT\n");
    return 2;
}
