// The pages' link to tovra: the state stream and the commands. No network
// fetch beyond the program that served the page.
"use strict";
const tovra = (() => {
  const token = new URLSearchParams(location.search).get("token") || "";
  const query = token ? "?token=" + encodeURIComponent(token) : "";
  let socket = null;
  function connect(onState, onStatus) {
    socket = new WebSocket("ws://" + location.host + "/api/stream" + query);
    socket.onopen = () => onStatus && onStatus(true);
    socket.onmessage = (event) => onState(JSON.parse(event.data));
    socket.onclose = () => {
      if (onStatus) onStatus(false);
      setTimeout(() => connect(onState, onStatus), 1000);
    };
  }
  async function command(body) {
    const response = await fetch("/api/command", {
      method: "POST",
      headers: { "Content-Type": "application/json", Authorization: "Bearer " + token },
      body: JSON.stringify(body),
    });
    if (!response.ok) {
      let message = response.status + "";
      try { message += " " + (await response.json()).error; } catch (e) {}
      throw new Error(message);
    }
    return response.json();
  }
  // The cab's texts and numbers as the pages show them.
  const fixed = (v, places) => (v === null || v === undefined ? "—" : Number(v).toFixed(places));
  const limit = (v) => (v === null || v === undefined ? "—" : v + "");
  const esc = (text) => String(text).replace(/[&<>"']/g, (c) => "&#" + c.charCodeAt(0) + ";");
  return { token, connect, command, fixed, limit, esc };
})();
