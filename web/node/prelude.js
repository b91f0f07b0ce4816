// sudoku-node: the program on node's process, as a program started from a shell runs.

// Node's environment (HOME, XDG_DATA_HOME), before the C library reads it at start-up, and
// nothing else: the default data folder comes from it. Emscripten's own defaults (a made-up
// home folder among them) are taken out.
Module['preRun'] = [function () {
    ['USER', 'LOGNAME', 'PATH', 'PWD', 'HOME', 'LANG', '_'].forEach(function (name) {
        ENV[name] = undefined;
    });
    Object.assign(ENV, process.env);
}];

// Once the runtime has made its standard streams, before main.
Module['onRuntimeInitialized'] = function () {
    // The standard streams are the process's own: fstat sees what they are (a file, a pipe, a
    // terminal), so that a script on standard input is read as from a file.
    ['/dev/stdin', '/dev/stdout', '/dev/stderr'].forEach(function (path, fd) {
        FS.streams[fd].path = path;
    });
    // Only a regular file is read and written at a position: a pipe, a FIFO or a terminal named
    // by a path (/dev/stdin) is read and written where it stands.
    var open = FS.open;
    FS.open = function () {
        var stream = open.apply(this, arguments);
        if (stream.nfd !== undefined && !require('fs').fstatSync(stream.nfd).isFile()) {
            stream.seekable = false;
        }
        return stream;
    };
};
