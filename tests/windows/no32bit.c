/* Runs a command on this machine as if its kernel could not run 32-bit x86 programs, as some
 * container and cloud builders cannot: a seccomp filter kills any process that makes a system
 * call through the 32-bit interface, which every 32-bit program does at once. Before the command
 * starts, a 32-bit program of a few bytes is run under the same filter to prove that it cannot
 * get as far as exiting on its own. Linux on x86-64 only.
 * Usage: no32bit COMMAND [ARGUMENT...] */
#define _GNU_SOURCE
#include <errno.h>
#include <linux/audit.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <stddef.h>
#include <stdint.h>
#include <stdio.h>
#include <string.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

/* An i386 ELF program that only exits with status 42: ELF header, one loadable segment,
 * then `mov eax, 1; mov ebx, 42; int 0x80`. */
static const uint8_t exit42[] = {
    0x7f, 'E', 'L', 'F', 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    2, 0, 3, 0, 1, 0, 0, 0, 0x54, 0x80, 0x04, 0x08, 0x34, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0x34, 0, 0x20, 0, 1, 0, 0, 0,
    0, 0, 0, 0,
    1, 0, 0, 0, 0, 0, 0, 0, 0, 0x80, 0x04, 0x08, 0, 0x80, 0x04, 0x08,
    0x60, 0, 0, 0, 0x60, 0, 0, 0, 5, 0, 0, 0, 0, 0x10, 0, 0,
    0xb8, 1, 0, 0, 0, 0xbb, 42, 0, 0, 0, 0xcd, 0x80,
};

static int fail(const char *what)
{
    fprintf(stderr, "no32bit: %s: %s\n", what, strerror(errno));
    return 125;
}

int main(int argc, char **argv)
{
    if (argc < 2) {
        fprintf(stderr, "usage: no32bit COMMAND [ARGUMENT...]\n");
        return 2;
    }

    struct sock_filter filter[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(struct seccomp_data, arch)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, AUDIT_ARCH_X86_64, 1, 0),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_KILL_PROCESS),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    struct sock_fprog program = {sizeof filter / sizeof filter[0], filter};
    /* Without root, a filter may only be installed by a process that gives up gaining rights. */
    if (prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0)
        return fail("cannot give up new privileges");
    if (prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) != 0)
        return fail("cannot install the seccomp filter");

    int probe = memfd_create("exit42", MFD_CLOEXEC);
    if (probe < 0 || write(probe, exit42, sizeof exit42) != (ssize_t)sizeof exit42)
        return fail("cannot write the 32-bit probe");
    pid_t child = fork();
    if (child < 0)
        return fail("cannot start the 32-bit probe");
    if (child == 0) {
        char *const probe_argv[] = {"exit42", NULL};
        fexecve(probe, probe_argv, environ);
        /* A kernel built without 32-bit support refuses it here: just as good. */
        _exit(errno == ENOEXEC ? 0 : 125);
    }
    int status;
    if (waitpid(child, &status, 0) != child)
        return fail("lost the 32-bit probe");
    if (WIFEXITED(status) && WEXITSTATUS(status) == 42) {
        fprintf(stderr, "no32bit: a 32-bit program still ran to its end\n");
        return 125;
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) == 125) {
        fprintf(stderr, "no32bit: the 32-bit probe could not be started\n");
        return 125;
    }
    close(probe);

    execvp(argv[1], argv + 1);
    return fail(argv[1]);
}
