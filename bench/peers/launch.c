/*
 * Starts one measured command and reports what it cost. The harness runs this
 * small static program in the command's place, with the terminal and the
 * pipes already set up, because the peak RSS that the kernel reports for a
 * process keeps the high-water mark of the memory it had before exec(): a
 * command forked straight from the harness would carry the harness's size.
 * Forked from here, it starts from this program's few pages instead.
 *
 * Usage: quillet_bench_launch REPORT_FD PATH [ARG...]
 * Writes to REPORT_FD one line: "<wait status> <wall ns> <user us> <system us>
 * <peak RSS KiB> <minor page faults>", the wall time taken from before fork()
 * to after wait4().
 */
#include <errno.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

int
main(int argc, char *argv[])
{
	struct timespec start, end;
	struct rusage usage;
	sigset_t hangup, before;
	char line[128];
	int report, status, length;
	long long wall;
	pid_t pid, reaped;

	if (argc < 3)
		return 2;
	report = atoi(argv[1]);

	/*
	 * This program leads the terminal's session, so the harness closing
	 * the terminal once the command has ended hangs it up. SIGHUP is
	 * ignored here to get the report out, but only after fork(): the
	 * command gets the disposition the harness gave.
	 */
	sigemptyset(&hangup);
	sigaddset(&hangup, SIGHUP);
	(void)sigprocmask(SIG_BLOCK, &hangup, &before);

	(void)clock_gettime(CLOCK_MONOTONIC, &start);	/* cannot fail for this clock */
	if ((pid = fork()) == -1)
		return 3;
	if (pid == 0) {
		(void)sigprocmask(SIG_SETMASK, &before, NULL);
		(void)close(report);	/* the command has no use for it */
		execv(argv[2], argv + 2);
		_exit(127);
	}
	(void)signal(SIGHUP, SIG_IGN);
	(void)sigprocmask(SIG_SETMASK, &before, NULL);
	/*
	 * Only the command may hold the terminal and the pipes now: the harness
	 * takes their end as the end of the command.
	 */
	(void)close(STDIN_FILENO);
	(void)close(STDOUT_FILENO);
	(void)close(STDERR_FILENO);
	do
		reaped = wait4(pid, &status, 0, &usage);
	while (reaped == -1 && errno == EINTR);
	(void)clock_gettime(CLOCK_MONOTONIC, &end);
	if (reaped != pid)
		return 4;

	wall = (long long)(end.tv_sec - start.tv_sec) * 1000000000LL +
	    (end.tv_nsec - start.tv_nsec);
	length = snprintf(line, sizeof line, "%d %lld %lld %lld %ld %ld\n", status, wall,
	    (long long)usage.ru_utime.tv_sec * 1000000LL + usage.ru_utime.tv_usec,
	    (long long)usage.ru_stime.tv_sec * 1000000LL + usage.ru_stime.tv_usec,
	    usage.ru_maxrss, usage.ru_minflt);
	if (length <= 0 || write(report, line, (size_t)length) != length)
		return 5;
	return 0;
}
