"""Serves the browser build's folder: python3 serve.py FOLDER PORT (on 127.0.0.1).

Python's own file server, but a request for FILE is answered with FILE.br or FILE.gz, the
precompressed copies scripts/web writes beside the large files, when the browser accepts that
encoding; Content-Encoding says which, and Content-Type stays FILE's own."""
import functools
import http.server
import os
import sys


class PrecompressedHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      '.wasm': 'application/wasm', '.data': 'application/octet-stream'}

    def accepted_encodings(self):
        accepted = set()
        for item in self.headers.get('Accept-Encoding', '').split(','):
            name, _, weight = item.strip().partition(';')
            if weight.replace(' ', '') not in ('q=0', 'q=0.0', 'q=0.00', 'q=0.000'):
                accepted.add(name.strip())
        return accepted

    def send_head(self):
        path = self.translate_path(self.path)
        accepted = self.accepted_encodings()
        for encoding, suffix in (('br', '.br'), ('gzip', '.gz')):
            if encoding in accepted and os.path.isfile(path + suffix):
                body = open(path + suffix, 'rb')
                self.send_response(200)
                self.send_header('Content-Type', self.guess_type(path))
                self.send_header('Content-Encoding', encoding)
                self.send_header('Content-Length', str(os.fstat(body.fileno()).st_size))
                self.send_header('Vary', 'Accept-Encoding')
                self.end_headers()
                return body
        return super().send_head()


if __name__ == '__main__':
    folder, port = sys.argv[1], int(sys.argv[2])
    handler = functools.partial(PrecompressedHandler, directory=folder)
    with http.server.ThreadingHTTPServer(('127.0.0.1', port), handler) as server:
        server.serve_forever()
