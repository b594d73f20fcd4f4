// A small static file server for the built page, on the loopback address only: for a look at
// the page (scripts/web --serve), its tests and its benchmark. Files are sent gzip-compressed
// when the browser accepts it, as a static host would.
//
//   node web/serve.mjs DIR [PORT]      serves DIR on http://127.0.0.1:PORT/ (8080 unless given)
import {createServer} from 'node:http';
import {readFile} from 'node:fs/promises';
import {extname, join, normalize, resolve, sep} from 'node:path';
import {gzipSync} from 'node:zlib';
import {pathToFileURL} from 'node:url';

const TYPES = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.mjs': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.wasm': 'application/wasm',
  '.webmanifest': 'application/manifest+json',
  '.json': 'application/json',
  '.svg': 'image/svg+xml',
  '.png': 'image/png',
};

// Starts serving `dir`; resolves to the server once it listens (port 0 picks a free port).
export function serve(dir, port = 0) {
  const root = resolve(dir);
  const server = createServer(async (request, response) => {
    try {
      const path = decodeURIComponent(new URL(request.url, 'http://127.0.0.1').pathname);
      let file = normalize(join(root, path));
      if (file !== root && !file.startsWith(root + sep)) {
        response.writeHead(403).end();
        return;
      }
      if (path.endsWith('/')) {
        file = join(file, 'index.html');
      }
      let body = await readFile(file);
      const headers = {'Content-Type': TYPES[extname(file)] || 'application/octet-stream',
                       'Cache-Control': 'no-cache'};
      if (/\bgzip\b/.test(request.headers['accept-encoding'] || '') && extname(file) !== '.png') {
        body = gzipSync(body, {level: 9});
        headers['Content-Encoding'] = 'gzip';
      }
      headers['Content-Length'] = body.length;
      response.writeHead(200, headers);
      response.end(request.method === 'HEAD' ? undefined : body);
    } catch {
      response.writeHead(404, {'Content-Type': 'text/plain'}).end('not found');
    }
  });
  return new Promise((done, fail) => {
    server.once('error', fail);
    server.listen(port, '127.0.0.1', () => done(server));
  });
}

if (import.meta.url === pathToFileURL(process.argv[1]).href) {
  const dir = process.argv[2] || 'build/web';
  const server = await serve(dir, Number(process.argv[3] || 8080));
  console.log(`Serving ${dir} on http://127.0.0.1:${server.address().port}/ (Ctrl+C stops)`);
}
