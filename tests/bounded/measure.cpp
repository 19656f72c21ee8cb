/* measure REPORT PROGRAM [ARG...]
 *
 * Runs the program as a child and writes to REPORT how it ended ("exit N" or
 * "signal N") and its peak resident memory ("maxrss KIB"). Exits 0 once the
 * report is written. A small process of its own, so that the child's peak is
 * not inflated by the memory of a large parent: Linux carries the resident size
 * a process had at fork into the peak measured after exec. */
#include <cstdio>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

int main(int argc, char** argv) {
    if (argc < 3) {
        fprintf(stderr, "usage: measure REPORT PROGRAM [ARG...]\n");
        return 2;
    }
    const pid_t pid = fork();
    if (pid < 0) return 3;
    if (pid == 0) {
        execv(argv[2], argv + 2);
        _exit(127);
    }
    int status = 0;
    struct rusage usage;
    if (wait4(pid, &status, 0, &usage) != pid) return 4;
    FILE* report = fopen(argv[1], "w");
    if (!report) return 5;
    if (WIFSIGNALED(status)) fprintf(report, "signal %d\n", WTERMSIG(status));
    else fprintf(report, "exit %d\n", WEXITSTATUS(status));
    fprintf(report, "maxrss %ld\n", usage.ru_maxrss);
    return fclose(report) == 0 ? 0 : 5;
}
