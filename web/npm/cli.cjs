#!/usr/bin/env node
// `zentab` from the npm package: the command's own options, messages and
// exit statuses (0 done, 1 an input refused, 2 a bad option), run by the
// command's code in the package's module; only reading the input is left to
// Node.
'use strict';

const fs = require('node:fs');
const { runCommand } = require('./index.cjs');

// Node names a failure by its code; the command says it as the C library does.
const reasons = {
    ENOENT: 'No such file or directory', EACCES: 'Permission denied', EISDIR: 'Is a directory',
    ENOTDIR: 'Not a directory', ELOOP: 'Too many levels of symbolic links', ENAMETOOLONG: 'File name too long',
    EMFILE: 'Too many open files', ENOMEM: 'Cannot allocate memory', EIO: 'Input/output error',
};

// The bytes of FILE ("-": standard input), and the size of a regular file,
// which the command's refusal of a too large input gives.
function readInput(file) {
    const stdin = file === '-';
    try {
        const fd = stdin ? 0 : fs.openSync(file, 'r');
        const size = fs.fstatSync(fd).isFile() ? fs.fstatSync(fd).size : -1;
        return { bytes: fs.readFileSync(fd), size };
    } catch (error) {
        return { error: `cannot read ${stdin ? 'standard input' : `'${file}'`}: ${reasons[error.code] ?? error.message}` };
    }
}

// As the command's --width auto: the terminal standard output goes to, else $COLUMNS.
const { isTTY, columns } = process.stdout;
const answer = runCommand(process.argv.slice(2), process.env.ZENTAB_AMBIGUOUS,
    isTTY && columns > 0 ? String(columns) : process.env.COLUMNS, readInput);
process.stderr.write(answer.err);
process.stdout.write(answer.out);
process.exitCode = answer.status;
