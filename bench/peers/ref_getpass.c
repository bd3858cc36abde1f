/*
 * The smallest program that does the job of a hidden read: prompt on the
 * terminal, read one line with echo off, restore the terminal, write the line
 * and a line feed to standard output. It is the yardstick the benchmark
 * measures the others against, so it does nothing more; it keeps no signal
 * handlers, and on failure it only exits with the stream-failure code.
 */
#include <fcntl.h>
#include <string.h>
#include <termios.h>
#include <unistd.h>

static const char prompt[] = "Password: ";

int
main(void)
{
	char line[4097];
	size_t length = 0;
	struct termios saved, hidden;
	int tty;

	if ((tty = open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC)) == -1)
		return 217;
	if (tcgetattr(tty, &saved) == -1)
		return 217;
	hidden = saved;
	hidden.c_lflag &= ~(tcflag_t)ECHO;
	/* Echo goes off before the prompt shows, as it does in quillet. */
	if (tcsetattr(tty, TCSANOW, &hidden) == -1)
		return 217;
	if (write(tty, prompt, sizeof prompt - 1) != (ssize_t)(sizeof prompt - 1))
		return 217;

	while (length < sizeof line - 1) {
		ssize_t n = read(tty, line + length, sizeof line - 1 - length);
		if (n <= 0)
			break;
		length += (size_t)n;
		if (line[length - 1] == '\n') {
			length--;
			break;
		}
	}
	(void)tcsetattr(tty, TCSANOW, &saved);	/* nothing left to do if it fails */

	line[length++] = '\n';
	if (write(STDOUT_FILENO, line, length) != (ssize_t)length)
		return 217;
	explicit_bzero(line, sizeof line);
	return 0;
}
